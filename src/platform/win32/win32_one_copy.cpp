#include "platform/win32/win32_one_copy.h"

#include "platform/win32/wide_text.h"

namespace tw {

Win32OneCopy::Win32OneCopy(const std::string& appId)
    : name_(widen(appId)),
      anotherStart_(RegisterWindowMessageW((name_ + L".AnotherStart").c_str())) {}

Win32OneCopy::~Win32OneCopy() {
    if (mutex_)
        CloseHandle(mutex_);
}

bool Win32OneCopy::claim() {
    // "Local\" keeps the name within the user's session, as the copy's tray icon is.
    mutex_ = CreateMutexW(nullptr, FALSE, (L"Local\\" + name_).c_str());
    if (mutex_ && GetLastError() != ERROR_ALREADY_EXISTS)
        return true;
    // Let the first copy take the foreground, which Windows grants only to the program the
    // user just started or to those it allows.
    AllowSetForegroundWindow(ASFW_ANY);
    PostMessageW(HWND_BROADCAST, anotherStart_, 0, 0);
    return false;
}

} // namespace tw
