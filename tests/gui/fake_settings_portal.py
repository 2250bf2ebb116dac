#!/usr/bin/python3
"""The desktop's settings portal, answering as a desktop whose user chose
high contrast: org.freedesktop.appearance's contrast is 1 (wrapped twice,
as the portal's Read answers), or the value given as the one argument.
Prints "ready" once it owns its name."""
import sys

from gi.repository import Gio, GLib

CONTRAST = int(sys.argv[1]) if len(sys.argv) > 1 else 1

INTERFACE = """<node><interface name="org.freedesktop.portal.Settings">
  <method name="Read">
    <arg type="s" name="namespace" direction="in"/><arg type="s" name="key" direction="in"/>
    <arg type="v" name="value" direction="out"/>
  </method>
</interface></node>"""


def on_call(connection, sender, path, interface, method, parameters, invocation):
    if tuple(parameters.unpack()) == ("org.freedesktop.appearance", "contrast"):
        invocation.return_value(GLib.Variant("(v)", (GLib.Variant("v", GLib.Variant("u", CONTRAST)),)))
    else:
        invocation.return_dbus_error("org.freedesktop.portal.Error.NotFound", "no such setting")


def on_bus(connection, name):
    info = Gio.DBusNodeInfo.new_for_xml(INTERFACE).interfaces[0]
    connection.register_object("/org/freedesktop/portal/desktop", info, on_call, None, None)


Gio.bus_own_name(Gio.BusType.SESSION, "org.freedesktop.portal.Desktop", Gio.BusNameOwnerFlags.NONE,
                 on_bus, lambda connection, name: print("ready", flush=True), None)
GLib.MainLoop().run()
