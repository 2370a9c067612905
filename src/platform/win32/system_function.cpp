#include "platform/win32/system_function.h"

#include <objbase.h>

namespace tw {

FARPROC systemFunctionAddress(const wchar_t* dll, const char* name) {
    // Never unloaded: the addresses handed out stay valid for the process's life.
    const HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? GetProcAddress(module, name) : nullptr;
}

void joinComApartment() {
    thread_local bool joined = false;
    if (joined)
        return;
    joined = true;
    static const auto initialize = TW_SYSTEM_FUNCTION(L"ole32.dll", CoInitializeEx);
    if (initialize)
        initialize(nullptr, COINIT_APARTMENTTHREADED);
}

} // namespace tw
