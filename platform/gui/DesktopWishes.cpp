#include "DesktopWishes.h"

#include "SessionBusProbe.h"

#include <dbus/dbus.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

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

// The value inside a reply's variant, however many variants deep (the portal's older Read wraps it twice).
std::optional<DBusMessageIter> Unwrapped(DBusMessage* reply) {
    DBusMessageIter iter;
    if (reply == nullptr || !dbus_message_iter_init(reply, &iter)) return std::nullopt;
    for (int depth = 0; depth < 4 && dbus_message_iter_get_arg_type(&iter) == DBUS_TYPE_VARIANT; ++depth) {
        DBusMessageIter inner;
        dbus_message_iter_recurse(&iter, &inner);
        iter = inner;
    }
    return iter;
}

bool IsEnabled(DBusConnection* bus) {
    Message call(dbus_message_new_method_call("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Get"));
    const char* interface = "org.a11y.Status";
    const char* property = "IsEnabled";
    if (!call || !dbus_message_append_args(call.get(), DBUS_TYPE_STRING, &interface, DBUS_TYPE_STRING, &property, DBUS_TYPE_INVALID)) return false;
    Message reply = Call(bus, std::move(call));
    auto value = Unwrapped(reply.get());
    if (!value || dbus_message_iter_get_arg_type(&*value) != DBUS_TYPE_BOOLEAN) return false;
    dbus_bool_t enabled = FALSE;
    dbus_message_iter_get_basic(&*value, &enabled);
    return enabled;
}

// One setting through the portal: a boolean, or the appearance's contrast, where
// 1 is high, 0 no preference, and any other value one the portal may add later,
// which it documents as no preference either.
std::optional<bool> PortalSetting(DBusConnection* bus, const char* space, const char* key) {
    Message call(
        dbus_message_new_method_call("org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop", "org.freedesktop.portal.Settings", "Read"));
    if (!call || !dbus_message_append_args(call.get(), DBUS_TYPE_STRING, &space, DBUS_TYPE_STRING, &key, DBUS_TYPE_INVALID)) return std::nullopt;
    Message reply = Call(bus, std::move(call));
    auto value = Unwrapped(reply.get());
    if (!value) return std::nullopt;
    switch (dbus_message_iter_get_arg_type(&*value)) {
    case DBUS_TYPE_BOOLEAN: {
        dbus_bool_t on = FALSE;
        dbus_message_iter_get_basic(&*value, &on);
        return on != FALSE;
    }
    case DBUS_TYPE_UINT32: {
        dbus_uint32_t n = 0;
        dbus_message_iter_get_basic(&*value, &n);
        if (n > 1) return std::nullopt;
        return n == 1;
    }
    default: return std::nullopt;
    }
}

void ReadAccessibility(DBusConnection* bus, DesktopWishes& wishes) {
    if (!NameHasOwner(bus, "org.a11y.Bus")) {
        wishes.accessibilityReason = "no accessibility bus";
        return;
    }
    wishes.accessibility = IsEnabled(bus);
    wishes.accessibilityReason = wishes.accessibility ? "org.a11y.Status IsEnabled" : "org.a11y.Status is not enabled";
}

}  // namespace

DesktopWishes ReadDesktopWishes() {
    DesktopWishes wishes;
    std::optional<bool> decided;
    if (const char* forced = std::getenv("DOTWISE_ACCESSIBILITY"); forced != nullptr && *forced != '\0') {
        wishes.accessibilityReason = "DOTWISE_ACCESSIBILITY";
        decided = std::strcmp(forced, "0") != 0;
    } else if (const char* off = std::getenv("NO_AT_BRIDGE"); off != nullptr && std::strcmp(off, "1") == 0) {
        wishes.accessibilityReason = "NO_AT_BRIDGE";
        decided = false;
    }
    wishes.accessibility = decided.value_or(false);
    // Whatever decides the wishes, SDL and the accessibility bridge would still wait on a
    // bus that takes connections and never answers.
    if (!SessionBusAnswers()) {
        std::fprintf(stderr, "dotwise: the session bus does not answer; going on without it\n");
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
        if (!decided) wishes.accessibilityReason = "the session bus does not answer";
        return wishes;
    }
    const bool contrastDecided = std::getenv("DOTWISE_CONTRAST") != nullptr;
    if (decided && contrastDecided) return wishes;
    // With no address, libdbus would try to start a session bus of its own.
    if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
        address == nullptr || *address == '\0' || std::strcmp(address, "disabled:") == 0) {
        if (!decided) wishes.accessibilityReason = "no session bus";
        return wishes;
    }
    DBusError error;
    dbus_error_init(&error);
    Connection bus(dbus_bus_get_private(DBUS_BUS_SESSION, &error));
    dbus_error_free(&error);
    if (!bus) {
        if (!decided) wishes.accessibilityReason = "the session bus does not answer";
        return wishes;
    }
    dbus_connection_set_exit_on_disconnect(bus.get(), FALSE);
    if (!decided) ReadAccessibility(bus.get(), wishes);
    if (!contrastDecided && NameHasOwner(bus.get(), "org.freedesktop.portal.Desktop")) {
        wishes.highContrast = PortalSetting(bus.get(), "org.freedesktop.appearance", "contrast");
        if (!wishes.highContrast.value_or(false)) {
            const auto gnome = PortalSetting(bus.get(), "org.gnome.desktop.a11y.interface", "high-contrast");
            if (gnome) wishes.highContrast = gnome;
        }
    }
    return wishes;
}
