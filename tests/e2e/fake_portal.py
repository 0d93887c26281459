#!/usr/bin/env python3
"""Stands in for the XDG desktop portal's settings on the session bus. It answers the settings
named after the ready file, each as NAMESPACE/KEY=TYPE:VALUE with TYPE b (true or false), u (a
number) or s (a string); every other key is unknown. Without any, GNOME's "enable-animations" is
off. On SIGUSR1 the first setting turns over (a boolean to its opposite, a number between 0 and 1)
and the portal announces it, as the real one does when the user changes it; on SIGUSR2 it
announces KDE's colour scheme as changed, as KDE's portal does when the user picks other colours.
Writes "ready" to the file named on the command line once it owns its name.
    fake_portal.py READY-FILE [NAMESPACE/KEY=TYPE:VALUE ...]"""
import signal
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.freedesktop.portal.Desktop"
PATH = "/org/freedesktop/portal/desktop"
SETTINGS = "org.freedesktop.portal.Settings"
DEFAULT = ["org.gnome.desktop.interface/enable-animations=b:false"]


def parse(setting):
    place, typed = setting.split("=", 1)
    namespace, key = place.rsplit("/", 1)
    kind, text = typed.split(":", 1)
    if kind == "b":
        return (namespace, key), dbus.Boolean(text == "true")
    if kind == "s":
        return (namespace, key), dbus.String(text)
    return (namespace, key), dbus.UInt32(int(text))


def wrapped(value, level):
    return type(value)(value, variant_level=level)


class Settings(dbus.service.Object):
    def __init__(self, bus, settings):
        super().__init__(bus, PATH)
        self.settings = dict(settings)
        self.first = settings[0][0]

    # Read hands the value back inside a second variant, as version 1 of the interface does.
    @dbus.service.method(SETTINGS, in_signature="ss", out_signature="v")
    def Read(self, namespace, key):
        if (namespace, key) not in self.settings:
            raise dbus.exceptions.DBusException(
                "no such setting", name="org.freedesktop.portal.Error.NotFound")
        return wrapped(self.settings[(namespace, key)], 2)

    @dbus.service.signal(SETTINGS, signature="ssv")
    def SettingChanged(self, namespace, key, value):
        pass

    def turn_over(self):
        value = self.settings[self.first]
        if isinstance(value, dbus.Boolean):
            value = dbus.Boolean(not value)
        else:
            value = dbus.UInt32(1 - min(int(value), 1))
        self.settings[self.first] = value
        self.SettingChanged(*self.first, wrapped(value, 1))
        return True

    def announce_colours(self):
        self.SettingChanged("org.kde.kdeglobals.General", "ColorScheme",
                            dbus.String("Changed", variant_level=1))
        return True


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    settings = Settings(bus, [parse(s) for s in (sys.argv[2:] or DEFAULT)])
    name = dbus.service.BusName(NAME, bus, do_not_queue=True)
    loop = GLib.MainLoop()
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGUSR1, settings.turn_over)
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGUSR2, settings.announce_colours)
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGTERM, lambda: loop.quit() or False)
    with open(sys.argv[1], "w") as ready:
        ready.write("ready\n")
    loop.run()
    del name


if __name__ == "__main__":
    main()
