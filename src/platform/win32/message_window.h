#pragma once

#include <windows.h>

namespace tw {

// A message-only window of the class (registered on first use) with the procedure, holding
// owner as its GWLP_USERDATA; nullptr when Windows refuses one (GetLastError says why).
HWND createMessageWindow(const wchar_t* className, WNDPROC procedure, void* owner);

} // namespace tw
