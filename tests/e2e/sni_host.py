#!/usr/bin/python3
"""A status-notifier panel for the end-to-end runs, on the session bus.

    sni_host.py watch FILE      be org.kde.StatusNotifierWatcher and its host;
                                every item that registers is written to FILE,
                                one "bus-name object-path" a line
    sni_host.py props ITEM      print the item's properties, one "name=value"
                                a line (icon pictures as their sizes)
    sni_host.py menu ITEM       open the item's menu as a panel does (AboutToShow)
                                and print its entries, one "id<TAB>label" a line,
                                "-" for a separator, submenus indented by two
    sni_host.py click ITEM ID   click the menu entry ID
    sni_host.py activate ITEM   a left click on the icon

ITEM is a line of the watch FILE. The commands end with status 0, or 1 and
a message when the item does not answer.
"""
import os
import sys

import dbus
import dbus.service

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"
PROPERTIES = "org.freedesktop.DBus.Properties"

INTROSPECTION = """<!DOCTYPE node PUBLIC "-//freedesktop//DTD D-BUS Object Introspection 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/introspect.dtd">
<node>
  <interface name="org.kde.StatusNotifierWatcher">
    <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
    <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
    <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
    <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
    <property name="ProtocolVersion" type="i" access="read"/>
    <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
    <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
    <signal name="StatusNotifierHostRegistered"/>
  </interface>
  <interface name="org.freedesktop.DBus.Properties">
    <method name="Get"><arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="out"/></method>
    <method name="GetAll"><arg type="s" direction="in"/><arg type="a{sv}" direction="out"/></method>
  </interface>
  <interface name="org.freedesktop.DBus.Introspectable">
    <method name="Introspect"><arg type="s" direction="out"/></method>
  </interface>
</node>
"""


class Watcher(dbus.service.Object):
    def __init__(self, bus, log):
        super().__init__(bus, "/StatusNotifierWatcher")
        self.bus = bus
        self.log = log
        self.items = []
        bus.add_signal_receiver(self.owner_changed, "NameOwnerChanged",
                                "org.freedesktop.DBus")

    @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        # An item names either its bus name or its object path.
        if service.startswith("/"):
            name, path = sender, service
        else:
            name, path = service, "/StatusNotifierItem"
        owner = self.bus.get_name_owner(name) if not name.startswith(":") else name
        entry = (str(name), str(path), str(owner))
        if entry not in self.items:
            self.items.append(entry)
        with open(self.log, "a", encoding="utf-8") as log:
            log.write("%s %s\n" % (name, path))
        self.StatusNotifierItemRegistered("%s%s" % (name, path))

    @dbus.service.method(WATCHER, in_signature="s")
    def RegisterStatusNotifierHost(self, service):
        self.StatusNotifierHostRegistered()

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, item):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemUnregistered(self, item):
        pass

    @dbus.service.signal(WATCHER, signature="")
    def StatusNotifierHostRegistered(self):
        pass

    def owner_changed(self, name, old, new):
        if new:
            return
        for entry in list(self.items):
            if old in (entry[0], entry[2]):
                self.items.remove(entry)
                self.StatusNotifierItemUnregistered("%s%s" % entry[:2])

    def properties(self):
        return {
            "RegisteredStatusNotifierItems":
                dbus.Array(["%s%s" % e[:2] for e in self.items], signature="s"),
            "IsStatusNotifierHostRegistered": dbus.Boolean(True),
            "ProtocolVersion": dbus.Int32(0),
        }

    # Clients that read properties through introspection (Qt's among them)
    # only see the properties named here.
    @dbus.service.method("org.freedesktop.DBus.Introspectable", out_signature="s")
    def Introspect(self):
        return INTROSPECTION

    @dbus.service.method(PROPERTIES, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.properties()[name]

    @dbus.service.method(PROPERTIES, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return self.properties()


def watch(log):
    from dbus.mainloop.glib import DBusGMainLoop
    from gi.repository import GLib

    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    open(log, "w").close()
    watcher = Watcher(bus, log)
    # The host's own name first, then the watcher's: a client that sees the
    # watcher finds a host already there.
    # (A name is given up when its object goes, so both are kept.)
    names = [dbus.service.BusName("org.kde.StatusNotifierHost-%d" % os.getpid(), bus),
             dbus.service.BusName(WATCHER, bus, do_not_queue=True)]
    GLib.MainLoop().run()
    del names, watcher


def item_of(line):
    name, path = line.split()
    return dbus.SessionBus().get_object(name, path)


def props(line):
    item = item_of(line)
    values = item.GetAll(ITEM, dbus_interface=PROPERTIES)
    for key in sorted(values):
        value = values[key]
        if key.endswith("Pixmap"):
            value = " ".join("%dx%d" % (int(w), int(h)) for w, h, _ in value)
        elif key == "ToolTip":
            value = "%s|%s|%s" % (value[0], value[2], value[3])
        print("%s=%s" % (key, value))


def menu(line):
    item = item_of(line)
    path = item.Get(ITEM, "Menu", dbus_interface=PROPERTIES)
    name = line.split()[0]
    menu_object = dbus.SessionBus().get_object(name, path)
    menu_object.AboutToShow(dbus.Int32(0), dbus_interface=MENU)
    _, layout = menu_object.GetLayout(dbus.Int32(0), dbus.Int32(-1),
                                      dbus.Array([], signature="s"), dbus_interface=MENU)

    def walk(node, depth):
        for child in node[2]:
            number, properties, _ = child
            if properties.get("visible", True) is False or properties.get("visible") == 0:
                continue
            if properties.get("type") == "separator":
                print("  " * depth + "-")
            else:
                print("%s%d\t%s%s" % ("  " * depth, int(number), properties.get("label", ""),
                                      " [x]" if properties.get("toggle-state") == 1 else ""))
            walk(child, depth + 1)

    walk(layout, 0)


def click(line, number):
    item = item_of(line)
    path = item.Get(ITEM, "Menu", dbus_interface=PROPERTIES)
    menu_object = dbus.SessionBus().get_object(line.split()[0], path)
    menu_object.Event(dbus.Int32(int(number)), "clicked", dbus.String("", variant_level=1),
                      dbus.UInt32(0), dbus_interface=MENU)


def activate(line):
    item_of(line).Activate(dbus.Int32(0), dbus.Int32(0), dbus_interface=ITEM)


def main():
    command, args = sys.argv[1], sys.argv[2:]
    try:
        if command == "watch":
            watch(args[0])
        elif command == "props":
            props(" ".join(args))
        elif command == "menu":
            menu(" ".join(args))
        elif command == "activate":
            activate(" ".join(args))
        elif command == "click":
            click(" ".join(args[:-1]), args[-1])
        else:
            sys.exit(__doc__)
    except dbus.exceptions.DBusException as error:
        print(error.get_dbus_message(), file=sys.stderr)
        sys.exit(1)


if __name__ == "__main__":
    main()
