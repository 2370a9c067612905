#pragma once

// <windows.h> first: the other Windows headers build on its definitions.
// clang-format off
#include <windows.h>
// clang-format on

namespace tw {

// The address of a function of one of Windows' own DLLs (from the system folder only), the
// DLL loaded on the first call and kept; nullptr when either is missing. A DLL imported at
// link time is loaded and initialised before the program starts; one that only a rarely used
// feature needs (a file dialog, a screen reader's question) costs nothing until then.
FARPROC systemFunctionAddress(const wchar_t* dll, const char* name);

template <typename Function> Function systemFunction(const wchar_t* dll, const char* name) {
    // The address is of a function of exactly this type: it was declared by the same header.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(systemFunctionAddress(dll, name)));
}

// Makes sure the calling thread has joined a single-threaded COM apartment, which objects
// handed across processes (screen readers) and the shell's dialogs rely on. Done once per
// thread, where first needed rather than at start: ole32 stays unloaded until then.
void joinComApartment();

} // namespace tw

// The function `name` of `dll`, typed as its declaration in the Windows headers says; the
// declaration only supplies the type, so the program does not import it.
#define TW_SYSTEM_FUNCTION(dll, name) ::tw::systemFunction<decltype(&name)>(dll, #name)
