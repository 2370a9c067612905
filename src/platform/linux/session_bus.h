#pragma once

#include "platform/linux/gio_library.h"

#include <memory>
#include <string>

namespace tw {

struct GVariantUnref {
    void operator()(GVariant* value) const { g_variant_unref(value); }
};
using VariantPtr = std::unique_ptr<GVariant, GVariantUnref>;

// A private connection to the session's message bus for the length of one task. Its
// incoming calls are handled only inside iterate(), so a caller waits for an answer
// without running anyone else's handlers.
class SessionBus {
  public:
    // Throws std::runtime_error when no session bus can be reached.
    SessionBus();
    ~SessionBus();
    SessionBus(const SessionBus&) = delete;
    SessionBus& operator=(const SessionBus&) = delete;

    // Calls a method and returns its reply; args (floating) is consumed. Throws
    // std::runtime_error with the bus's reason when the call fails.
    VariantPtr call(const std::string& destination, const std::string& path,
                    const std::string& interface, const std::string& method, GVariant* args,
                    int timeoutMs = 1000);
    // Sends a method call without waiting for any answer; args (floating) is consumed.
    void send(const std::string& destination, const std::string& path, const std::string& interface,
              const std::string& method, GVariant* args);
    // Whether some connection owns the name now.
    bool hasOwner(const std::string& name);
    // The process behind a name, 0 when the bus does not know it.
    int pidOf(const std::string& name);
    // Waits up to maxMs milliseconds for incoming messages and handles what came.
    void iterate(int maxMs);
    // Serves the interface at path: its calls reach vtable only inside iterate(). Returns the
    // registration for g_dbus_connection_unregister_object; throws std::runtime_error.
    guint registerObject(const std::string& path, GDBusInterfaceInfo* interface,
                         const GDBusInterfaceVTable* vtable, gpointer userData);

    GDBusConnection* connection() const { return connection_; }
    std::string uniqueName() const;

  private:
    GMainContext* context_ = nullptr;
    GDBusConnection* connection_ = nullptr;
};

} // namespace tw
