#pragma once

#include <windows.h>

#include <exception>

namespace tw {

// Shows a failure that reached a window procedure or callback, so that it neither crosses
// user32 (which would end the process) nor goes unseen; the program carries on.
void reportEscapedFailure(HWND owner, const char* what) noexcept;

// Runs body inside a window procedure or callback, reporting whatever it throws.
template <class Body> void guarded(HWND owner, Body&& body) noexcept {
    try {
        body();
    } catch (const std::exception& e) {
        reportEscapedFailure(owner, e.what());
    } catch (...) {
        reportEscapedFailure(owner, "Unknown failure");
    }
}

} // namespace tw
