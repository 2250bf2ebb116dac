#include "AccessibilityWanted.h"

#include <dbus/dbus.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// Long enough for a busy session bus, short enough that a hung one does not hold up the window.
constexpr int kTimeoutMs = 500;

struct ConnectionCloser {
    void operator()(DBusConnection* c) const {
        dbus_connection_close(c);
        dbus_connection_unref(c);
    }
};
struct MessageUnref {
    void operator()(DBusMessage* m) const { dbus_message_unref(m); }
};
using Connection = std::unique_ptr<DBusConnection, ConnectionCloser>;
using Message = std::unique_ptr<DBusMessage, MessageUnref>;

Message Call(DBusConnection* bus, Message call) {
    DBusError error;
    dbus_error_init(&error);
    Message reply(dbus_connection_send_with_reply_and_block(bus, call.get(), kTimeoutMs, &error));
    dbus_error_free(&error);
    return reply;
}

bool NameHasOwner(DBusConnection* bus, const char* name) {
    Message call(dbus_message_new_method_call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner"));
    if (!call || !dbus_message_append_args(call.get(), DBUS_TYPE_STRING, &name, DBUS_TYPE_INVALID)) return false;
    Message reply = Call(bus, std::move(call));
    dbus_bool_t owned = FALSE;
    return reply && dbus_message_get_args(reply.get(), nullptr, DBUS_TYPE_BOOLEAN, &owned, DBUS_TYPE_INVALID) && owned;
}

bool IsEnabled(DBusConnection* bus) {
    Message call(dbus_message_new_method_call("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Get"));
    const char* interface = "org.a11y.Status";
    const char* property = "IsEnabled";
    if (!call || !dbus_message_append_args(call.get(), DBUS_TYPE_STRING, &interface, DBUS_TYPE_STRING, &property, DBUS_TYPE_INVALID)) return false;
    Message reply = Call(bus, std::move(call));
    DBusMessageIter iter;
    DBusMessageIter variant;
    if (!reply || !dbus_message_iter_init(reply.get(), &iter) || dbus_message_iter_get_arg_type(&iter) != DBUS_TYPE_VARIANT) return false;
    dbus_message_iter_recurse(&iter, &variant);
    if (dbus_message_iter_get_arg_type(&variant) != DBUS_TYPE_BOOLEAN) return false;
    dbus_bool_t enabled = FALSE;
    dbus_message_iter_get_basic(&variant, &enabled);
    return enabled;
}

}  // namespace

bool AccessibilityWanted(std::string& why) {
    if (const char* forced = std::getenv("DOTWISE_ACCESSIBILITY"); forced != nullptr && *forced != '\0') {
        why = "DOTWISE_ACCESSIBILITY";
        return std::strcmp(forced, "0") != 0;
    }
    if (const char* off = std::getenv("NO_AT_BRIDGE"); off != nullptr && std::strcmp(off, "1") == 0) {
        why = "NO_AT_BRIDGE";
        return false;
    }
    // With no address, libdbus would try to start a session bus of its own.
    if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS"); address == nullptr || *address == '\0') {
        why = "no session bus";
        return false;
    }
    DBusError error;
    dbus_error_init(&error);
    Connection bus(dbus_bus_get_private(DBUS_BUS_SESSION, &error));
    dbus_error_free(&error);
    if (!bus) {
        why = "the session bus does not answer";
        return false;
    }
    dbus_connection_set_exit_on_disconnect(bus.get(), FALSE);
    if (!NameHasOwner(bus.get(), "org.a11y.Bus")) {
        why = "no accessibility bus";
        return false;
    }
    const bool enabled = IsEnabled(bus.get());
    why = enabled ? "org.a11y.Status IsEnabled" : "org.a11y.Status is not enabled";
    return enabled;
}
