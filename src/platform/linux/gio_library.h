#pragma once

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

namespace tw {

// The GIO and GObject functions the Linux backend calls.
#define TW_GIO_FUNCTIONS(F)                                                                        \
    F(g_app_info_launch)                                                                           \
    F(g_app_info_launch_default_for_uri)                                                           \
    F(g_dbus_address_get_for_bus_sync)                                                             \
    F(g_dbus_connection_call_sync)                                                                 \
    F(g_dbus_connection_close_sync)                                                                \
    F(g_dbus_connection_flush_sync)                                                                \
    F(g_dbus_connection_get_unique_name)                                                           \
    F(g_dbus_connection_new_for_address_sync)                                                      \
    F(g_dbus_connection_register_object)                                                           \
    F(g_dbus_connection_send_message)                                                              \
    F(g_dbus_connection_set_exit_on_close)                                                         \
    F(g_dbus_connection_unregister_object)                                                         \
    F(g_dbus_message_new_method_call)                                                              \
    F(g_dbus_message_set_body)                                                                     \
    F(g_dbus_message_set_flags)                                                                    \
    F(g_dbus_method_invocation_return_value)                                                       \
    F(g_dbus_node_info_new_for_xml)                                                                \
    F(g_dbus_node_info_unref)                                                                      \
    F(g_desktop_app_info_get_string)                                                               \
    F(g_desktop_app_info_get_type)                                                                 \
    F(g_desktop_app_info_launch_uris_as_manager)                                                   \
    F(g_desktop_app_info_new_from_filename)                                                        \
    F(g_file_get_uri)                                                                              \
    F(g_file_new_for_path)                                                                         \
    F(g_file_query_default_handler)                                                                \
    F(g_object_unref)                                                                              \
    F(g_type_check_instance_is_a)

// GIO, loaded when first needed rather than with the program: the library and what it
// brings along (GObject's type system, libmount, libselinux) hold over a megabyte, and most
// sessions launch nothing for hours and reach no desktop's bus.
struct GioLibrary {
#define TW_GIO_POINTER(name) decltype(&::name) name;
    TW_GIO_FUNCTIONS(TW_GIO_POINTER)
#undef TW_GIO_POINTER
};

// Loads the library at the first call. Throws std::runtime_error when it cannot be loaded.
const GioLibrary& gio();

} // namespace tw
