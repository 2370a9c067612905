#pragma once

#include <windows.h>

#include <string>

namespace tw {

// A modal box with a prompt, a one-line text field and OK / Cancel; returns the text on OK
// and the empty text on Cancel.
std::wstring askText(HWND owner, const std::wstring& prompt, const std::wstring& title,
                     const std::wstring& initial);

} // namespace tw
