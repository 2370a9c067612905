#include "platform/win32/wall_clock_timer.h"

#include "platform/win32/message_window.h"

#include <windows.h>

#include <algorithm>

// mingw-w64 10 does not name it yet; Windows before 10 1803 refuses it.
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace tw {

namespace {

constexpr UINT kTickMessage = WM_APP + 1;
constexpr const wchar_t* kWindowClass = L"TidewellWallClockTimer";
// Milliseconds from 1 January 1601 (FILETIME's start) to the Unix epoch.
constexpr std::int64_t kEpochOffsetMs = 11644473600000LL;

// Named (a lambda is no CALLBACK on 32-bit Windows) and throwing nothing into user32.
LRESULT CALLBACK timerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kTickMessage) {
        auto* timer = reinterpret_cast<WallClockTimer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        try {
            if (timer)
                timer->onTickMessage();
        } catch (...) {
            // The tick's handler reports its own failures; nothing may unwind through here.
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void waitAndPost(HANDLE timer, HANDLE quit, HWND window) {
    const HANDLE handles[] = {quit, timer};
    while (WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1)
        PostMessageW(window, kTickMessage, 0, 0);
}

} // namespace

WallClockTimer::WallClockTimer() {
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                    TIMER_ALL_ACCESS);
    highResolution_ = timer_ != nullptr;
    if (!timer_)
        timer_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    quit_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    window_ = createMessageWindow(kWindowClass, timerWindowProc, this);
    if (!timer_ || !quit_ || !window_)
        throw std::runtime_error("Cannot create the monitoring timer");
    waiter_ = std::thread(waitAndPost, static_cast<HANDLE>(timer_), static_cast<HANDLE>(quit_),
                          static_cast<HWND>(window_));
}

WallClockTimer::~WallClockTimer() {
    SetEvent(static_cast<HANDLE>(quit_));
    waiter_.join();
    DestroyWindow(static_cast<HWND>(window_));
    CloseHandle(static_cast<HANDLE>(timer_));
    CloseHandle(static_cast<HANDLE>(quit_));
}

void WallClockTimer::wakeAt(std::int64_t dueMs) {
    // An absolute due time (positive), in FILETIME's units of 100 ns since 1601.
    LARGE_INTEGER due;
    due.QuadPart = (dueMs + kEpochOffsetMs) * 10000;
    SetWaitableTimer(static_cast<HANDLE>(timer_), &due, 0, nullptr, nullptr, FALSE);
}

void WallClockTimer::cancelWake() {
    CancelWaitableTimer(static_cast<HANDLE>(timer_));
    // A tick already posted is harmless: it finds nothing due.
}

} // namespace tw
