#include "platform/linux/session_bus.h"

#include <stdexcept>

namespace tw {

namespace {

[[noreturn]] void fail(const std::string& what, GError* error) {
    const std::string reason = error ? error->message : "unknown error";
    if (error)
        g_error_free(error);
    throw std::runtime_error(what + ": " + reason);
}

const char* const kBus = "org.freedesktop.DBus";

} // namespace

SessionBus::SessionBus() {
    gio(); // before anything that would need undoing when it cannot be loaded
    context_ = g_main_context_new();
    GError* error = nullptr;
    char* address = gio().g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (!address) {
        g_main_context_unref(context_);
        fail("No session bus could be reached", error);
    }
    // Handlers registered on this connection run in the context that was current when it
    // was made: ours.
    g_main_context_push_thread_default(context_);
    connection_ = gio().g_dbus_connection_new_for_address_sync(
        address,
        static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                          G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, &error);
    g_main_context_pop_thread_default(context_);
    g_free(address);
    if (!connection_) {
        g_main_context_unref(context_);
        fail("No session bus could be reached", error);
    }
    gio().g_dbus_connection_set_exit_on_close(connection_, FALSE);
}

SessionBus::~SessionBus() {
    gio().g_dbus_connection_close_sync(connection_, nullptr, nullptr);
    gio().g_object_unref(connection_);
    // Let the connection's last callbacks run before the context goes.
    while (g_main_context_iteration(context_, FALSE)) {
    }
    g_main_context_unref(context_);
}

VariantPtr SessionBus::call(const std::string& destination, const std::string& path,
                            const std::string& interface, const std::string& method, GVariant* args,
                            int timeoutMs) {
    GError* error = nullptr;
    GVariant* reply = gio().g_dbus_connection_call_sync(
        connection_, destination.c_str(), path.c_str(), interface.c_str(), method.c_str(), args,
        nullptr, G_DBUS_CALL_FLAGS_NO_AUTO_START, timeoutMs, nullptr, &error);
    if (!reply)
        fail(destination + " " + interface + "." + method, error);
    return VariantPtr(reply);
}

void SessionBus::send(const std::string& destination, const std::string& path,
                      const std::string& interface, const std::string& method, GVariant* args) {
    GDBusMessage* message = gio().g_dbus_message_new_method_call(destination.c_str(), path.c_str(),
                                                                 interface.c_str(), method.c_str());
    gio().g_dbus_message_set_body(message, args);
    gio().g_dbus_message_set_flags(
        message, static_cast<GDBusMessageFlags>(G_DBUS_MESSAGE_FLAGS_NO_REPLY_EXPECTED |
                                                G_DBUS_MESSAGE_FLAGS_NO_AUTO_START));
    GError* error = nullptr;
    const bool sent = gio().g_dbus_connection_send_message(
        connection_, message, G_DBUS_SEND_MESSAGE_FLAGS_NONE, nullptr, &error);
    gio().g_object_unref(message);
    if (!sent)
        fail(destination + " " + interface + "." + method, error);
    gio().g_dbus_connection_flush_sync(connection_, nullptr, nullptr);
}

bool SessionBus::hasOwner(const std::string& name) {
    const VariantPtr reply = call(kBus, "/org/freedesktop/DBus", kBus, "NameHasOwner",
                                  g_variant_new("(s)", name.c_str()));
    gboolean owned = FALSE;
    g_variant_get(reply.get(), "(b)", &owned);
    return owned;
}

int SessionBus::pidOf(const std::string& name) {
    try {
        const VariantPtr reply =
            call(kBus, "/org/freedesktop/DBus", kBus, "GetConnectionUnixProcessID",
                 g_variant_new("(s)", name.c_str()));
        guint32 pid = 0;
        g_variant_get(reply.get(), "(u)", &pid);
        return static_cast<int>(pid);
    } catch (const std::runtime_error&) {
        return 0; // gone meanwhile
    }
}

void SessionBus::iterate(int maxMs) {
    GSource* timeout = g_timeout_source_new(static_cast<guint>(maxMs > 0 ? maxMs : 0));
    g_source_set_callback(
        timeout, [](gpointer) -> gboolean { return G_SOURCE_REMOVE; }, nullptr, nullptr);
    g_source_attach(timeout, context_);
    g_main_context_iteration(context_, TRUE);
    g_source_destroy(timeout);
    g_source_unref(timeout);
}

guint SessionBus::registerObject(const std::string& path, GDBusInterfaceInfo* interface,
                                 const GDBusInterfaceVTable* vtable, gpointer userData) {
    // An object's calls are dispatched in the context current when it is registered; left to
    // the default one, they would wait for whatever runs that (a toolkit's loop, or nobody).
    g_main_context_push_thread_default(context_);
    GError* error = nullptr;
    const guint registration = gio().g_dbus_connection_register_object(
        connection_, path.c_str(), interface, vtable, userData, nullptr, &error);
    g_main_context_pop_thread_default(context_);
    if (!registration)
        fail("The object " + path + " cannot be served on the session bus", error);
    return registration;
}

std::string SessionBus::uniqueName() const {
    const char* name = gio().g_dbus_connection_get_unique_name(connection_);
    return name ? name : "";
}

} // namespace tw
