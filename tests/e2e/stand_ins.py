#!/usr/bin/env python3
"""Outside parties that misbehave, for outside_parties.sh. Each writes "ready" to the file named
first once it listens or owns its name, and runs until it is ended (SIGTERM).

  silent-socket READY PATH         a Unix socket at PATH that takes connections and never reads
                                   or answers
  silent-x READY                   the same at the abstract socket of an X display number that
                                   no server here has; writes the number to READY.port
  silent-tcp READY                 the same on TCP at 127.0.0.1, port 6000 and above; writes the
                                   port to READY.port before "ready"
  late-x READY DELAY DISPLAY       takes X connections as silent-x does and hands each to the X
                                   server of DISPLAY (":N") only after DELAY seconds
  silent-name READY NAME           owns NAME on the session bus and never answers a call
  garbage-portal READY             the desktop portal's settings, answering every key it is asked
                                   for with a value of a type that key never has
"""
import os
import select
import signal
import socket
import sys
import threading
import time


def ready(path, port=None):
    if port is not None:
        with open(path + ".port", "w") as f:
            f.write("%d\n" % port)
    with open(path, "w") as f:
        f.write("ready\n")


def tcp_listener():
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    for port in range(6100 + os.getpid() % 20000, 65536):
        try:
            listener.bind(("127.0.0.1", port))
            break
        except OSError:
            continue
    listener.listen(16)
    return listener, port


def wait_for_end():
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    while True:
        signal.pause()


def silent_socket(path):
    listener = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    listener.bind(path)
    listener.listen(16)
    return listener


def abstract_x_listener():
    """The abstract socket that an X client tries first for display N (libxcb), for an N that no
    server here has."""
    for number in range(50000 + os.getpid() % 9000, 59500):
        if os.path.exists("/tmp/.X11-unix/X%d" % number):
            continue
        listener = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        try:
            listener.bind("\0/tmp/.X11-unix/X%d" % number)
        except OSError:
            listener.close()
            continue
        listener.listen(16)
        return listener, number
    sys.exit("no free X display number")


def relay(client, delay, display):
    """Carries bytes and passed descriptors (the shared memory of MIT-SHM) both ways."""
    time.sleep(delay)
    server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    server.connect("/tmp/.X11-unix/X" + display.lstrip(":").split(".")[0])
    ends = {client: server, server: client}
    try:
        while True:
            readable, _, _ = select.select(list(ends), [], [])
            for end in readable:
                data, fds, _, _ = socket.recv_fds(end, 65536, 16)
                if not data:
                    return
                if fds:
                    socket.send_fds(ends[end], [data], fds)
                else:
                    ends[end].sendall(data)
                for fd in fds:
                    os.close(fd)
    except OSError:
        pass
    finally:
        client.close()
        server.close()


def late_x(ready_path, delay, display):
    """Like an X server that a desktop starts on demand: the first answer comes late."""
    listener, number = abstract_x_listener()
    ready(ready_path, number)
    signal.signal(signal.SIGTERM, lambda *_: os._exit(0))
    while True:
        client, _ = listener.accept()
        threading.Thread(target=relay, args=(client, delay, display), daemon=True).start()


def session_bus_owner(name):
    import dbus
    bus = dbus.SessionBus()
    if bus.request_name(name, dbus.bus.NAME_FLAG_DO_NOT_QUEUE) != dbus.bus.REQUEST_NAME_REPLY_PRIMARY_OWNER:
        sys.exit("cannot own " + name)
    return bus


def garbage_portal(ready_path):
    import dbus
    import dbus.service
    from dbus.mainloop.glib import DBusGMainLoop
    from gi.repository import GLib

    # Each key the program reads, answered with a type it never has; a reader that converts
    # blindly would take each for "animations off".
    garbage = {
        ("org.freedesktop.appearance", "reduced-motion"): dbus.String("1", variant_level=2),
        ("org.gnome.desktop.interface", "enable-animations"): dbus.Int32(0, variant_level=2),
        ("org.kde.kdeglobals.KDE", "AnimationDurationFactor"): dbus.String("0", variant_level=2),
    }

    class Settings(dbus.service.Object):
        @dbus.service.method("org.freedesktop.portal.Settings", in_signature="ss", out_signature="v")
        def Read(self, namespace, key):
            return garbage.get((namespace, key), dbus.Array([], signature="y", variant_level=2))

    DBusGMainLoop(set_as_default=True)
    bus = session_bus_owner("org.freedesktop.portal.Desktop")
    Settings(bus, "/org/freedesktop/portal/desktop")
    loop = GLib.MainLoop()
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGTERM, lambda: loop.quit() or False)
    ready(ready_path)
    loop.run()


def main():
    kind, ready_path, *rest = sys.argv[1:]
    if kind == "silent-socket":
        listener = silent_socket(rest[0])
        ready(ready_path)
        wait_for_end()
    elif kind == "silent-x":
        listener, number = abstract_x_listener()
        ready(ready_path, number)
        wait_for_end()
    elif kind == "silent-tcp":
        listener, port = tcp_listener()
        ready(ready_path, port)
        wait_for_end()
    elif kind == "late-x":
        late_x(ready_path, float(rest[0]), rest[1])
    elif kind == "silent-name":
        # No main loop: calls to the name queue up unread, as with a service that hangs.
        bus = session_bus_owner(rest[0])
        ready(ready_path)
        wait_for_end()
    elif kind == "garbage-portal":
        garbage_portal(ready_path)
    else:
        sys.exit("unknown stand-in " + kind)


if __name__ == "__main__":
    main()
