#include "platform/linux/gio_library.h"

#include <dlfcn.h>
#include <stdexcept>
#include <string>

namespace tw {

namespace {

constexpr const char* kGioFile = "libgio-2.0.so.0";

GioLibrary load() {
    void* handle = dlopen(kGioFile, RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        throw std::runtime_error(std::string("cannot load ") + kGioFile + ": " + dlerror());
    GioLibrary library{};
    // GObject comes in with GIO, so its functions are found through the same handle.
#define TW_GIO_LOOKUP(name)                                                                        \
    library.name = reinterpret_cast<decltype(library.name)>(dlsym(handle, #name));                 \
    if (!library.name)                                                                             \
        throw std::runtime_error(std::string(kGioFile) + " has no " #name);
    TW_GIO_FUNCTIONS(TW_GIO_LOOKUP)
#undef TW_GIO_LOOKUP
    return library; // the handle stays open for the program's life
}

} // namespace

const GioLibrary& gio() {
    // A load that threw is tried again at the next call.
    static const GioLibrary library = load();
    return library;
}

} // namespace tw
