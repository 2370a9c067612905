#include "platform/win32/escaped_failure.h"

#include "platform/win32/wide_text.h"

namespace tw {

void reportEscapedFailure(HWND owner, const char* what) noexcept {
    std::wstring text = L"Unknown failure";
    try {
        text = widen(what);
    } catch (...) {
        // Keep the generic text: there is no memory for the real one.
    }
    MessageBoxW(owner, text.c_str(), L"Tidewell", MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
}

} // namespace tw
