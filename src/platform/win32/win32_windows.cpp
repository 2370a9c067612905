#include "platform/win32/win32_windows.h"

#include "platform/event_pump.h"
#include "platform/win32/message_pump.h"
#include "platform/win32/wide_text.h"

#include <windows.h>

#include <chrono>
#include <string>

namespace tw {

namespace {

// EnumWindows and the window-event hook call back through the system: named functions
// (a lambda is no CALLBACK on 32-bit Windows), and nothing may throw across them.
BOOL CALLBACK collectWindow(HWND window, LPARAM list) {
    try {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

// The window a close request is waiting for, and whether it has been destroyed. One at a
// time: requests are made on the user-interface thread only.
HWND awaitedWindow = nullptr;
bool awaitedGone = false;

void CALLBACK onWindowEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD,
                            DWORD) {
    if (event == EVENT_OBJECT_DESTROY && object == OBJID_WINDOW && window == awaitedWindow)
        awaitedGone = true;
}

// The input-method windows the system gives every program's thread: hidden helpers, not
// windows of the program; a close request to one is never answered.
bool isInputMethodWindow(HWND window) {
    wchar_t name[16];
    const int length = GetClassNameW(window, name, 16);
    const std::wstring className(name, length > 0 ? static_cast<std::size_t>(length) : 0);
    return className == L"IME" || className == L"MSCTFIME UI";
}

WindowId idOf(HWND window) {
    return static_cast<WindowId>(reinterpret_cast<std::uintptr_t>(window));
}

HWND windowOf(WindowId id) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(id));
}

// Watches one window for its destruction while in scope; a request made from a handler
// that runs during another's wait (a click during a firing) restores the outer one after.
class DestroyWatch {
  public:
    DestroyWatch(HWND window, DWORD pid) : outerWindow_(awaitedWindow), outerGone_(awaitedGone) {
        awaitedWindow = window;
        awaitedGone = false;
        hook_ = SetWinEventHook(EVENT_OBJECT_DESTROY, EVENT_OBJECT_DESTROY, nullptr, onWindowEvent,
                                pid, 0, WINEVENT_OUTOFCONTEXT);
    }
    ~DestroyWatch() {
        if (hook_)
            UnhookWinEvent(hook_);
        awaitedWindow = outerWindow_;
        awaitedGone = outerGone_;
    }
    DestroyWatch(const DestroyWatch&) = delete;
    DestroyWatch& operator=(const DestroyWatch&) = delete;

    bool gone() const { return awaitedGone; }

  private:
    HWND outerWindow_;
    bool outerGone_;
    HWINEVENTHOOK hook_ = nullptr;
};

} // namespace

Win32Windows::Win32Windows(EventPump* events, int closeWaitMs)
    : events_(events), closeWaitMs_(closeWaitMs) {}

bool Win32Windows::ownedByAsked(void* window) {
    for (HWND owner = GetWindow(static_cast<HWND>(window), GW_OWNER); owner;
         owner = GetWindow(owner, GW_OWNER))
        if (asked_.count(owner))
            return true;
    return false;
}

std::vector<TopLevelWindow> Win32Windows::closableWindows() {
    std::vector<HWND> windows;
    if (!EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&windows)))
        throw std::runtime_error("Cannot list the desktop's windows");
    std::erase_if(asked_, [](void* w) { return !IsWindow(static_cast<HWND>(w)); });
    std::vector<TopLevelWindow> result;
    for (HWND window : windows) {
        if (ownedByAsked(window) || isInputMethodWindow(window))
            continue;
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        result.push_back({idOf(window), static_cast<int>(pid)});
    }
    return result;
}

void Win32Windows::requestClose(WindowId id) {
    const HWND window = windowOf(id);
    DWORD pid = 0;
    if (!GetWindowThreadProcessId(window, &pid))
        return; // already gone
    asked_.insert(window);

    // Listen before asking, so that a window that goes at once is not missed.
    const DestroyWatch watch(window, pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!PostMessageW(window, WM_CLOSE, 0, 0)) {
        // A window of a program with higher rights refuses our messages (access denied).
        const DWORD error = GetLastError();
        if (process)
            CloseHandle(process);
        if (!IsWindow(window))
            return; // gone in the meantime
        throw CloseNotDelivered(errorText(error));
    }

    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(closeWaitMs_);
    for (;;) {
        if (watch.gone() || !IsWindow(window))
            break;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            break;
        // Sleeps until a message (the destroy event arrives as one) or the process's end.
        const DWORD woke =
            MsgWaitForMultipleObjectsEx(process ? 1 : 0, &process, static_cast<DWORD>(left.count()),
                                        QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (process && woke == WAIT_OBJECT_0)
            break;
        MessagePump ownPump;
        (events_ ? *events_ : ownPump).processPending();
    }
    if (process)
        CloseHandle(process);
}

} // namespace tw
