#!/usr/bin/env python3
"""Stands in for the XDG desktop portal's settings on the session bus: GNOME's
"enable-animations" is off, every other key unknown. On SIGUSR1 the setting turns on and the
portal announces it, as the real one does when the user changes it. Writes "ready" to the file
named on the command line once it owns its name."""
import signal
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.freedesktop.portal.Desktop"
PATH = "/org/freedesktop/portal/desktop"
SETTINGS = "org.freedesktop.portal.Settings"
NAMESPACE, KEY = "org.gnome.desktop.interface", "enable-animations"


class Settings(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, PATH)
        self.animations = False

    # Read hands the value back inside a second variant, as version 1 of the interface does.
    @dbus.service.method(SETTINGS, in_signature="ss", out_signature="v")
    def Read(self, namespace, key):
        if (namespace, key) != (NAMESPACE, KEY):
            raise dbus.exceptions.DBusException(
                "no such setting", name="org.freedesktop.portal.Error.NotFound")
        return dbus.Boolean(self.animations, variant_level=2)

    @dbus.service.signal(SETTINGS, signature="ssv")
    def SettingChanged(self, namespace, key, value):
        pass

    def turn_on(self):
        self.animations = True
        self.SettingChanged(NAMESPACE, KEY, dbus.Boolean(True, variant_level=1))
        return False


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    settings = Settings(bus)
    name = dbus.service.BusName(NAME, bus, do_not_queue=True)
    loop = GLib.MainLoop()
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGUSR1, settings.turn_on)
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGTERM, lambda: loop.quit() or False)
    with open(sys.argv[1], "w") as ready:
        ready.write("ready\n")
    loop.run()
    del name


if __name__ == "__main__":
    main()
