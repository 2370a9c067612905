#include "platform/win32/wall_clock_timer.h"

#include "platform/win32/message_window.h"

#include <windows.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

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

// The one thread that waits on every timer of the process: under Wine each thread holds
// about a megabyte of private memory. It starts with the first timer set to wake and ends
// with the last timer.
class TimerWaiter {
  public:
    static TimerWaiter& instance() {
        static TimerWaiter waiter;
        return waiter;
    }

    void add(HANDLE timer, HWND window) {
        std::unique_lock lock(mutex_);
        if (timers_.empty()) {
            if (thread_.joinable())
                thread_.join();
            thread_ = std::thread([this] { run(); });
        }
        timers_.push_back({timer, window});
        waitUntilSeen(lock);
    }

    // Returns once the thread no longer waits on the timer, so that its handle can be closed.
    void remove(HANDLE timer) {
        std::unique_lock lock(mutex_);
        std::erase_if(timers_, [timer](const Entry& entry) { return entry.timer == timer; });
        waitUntilSeen(lock);
        if (timers_.empty()) {
            lock.unlock();
            thread_.join();
        }
    }

  private:
    struct Entry {
        HANDLE timer;
        HWND window;
    };

    TimerWaiter() : changed_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
    // A timer still alive at exit keeps the thread: it ends with the process.
    ~TimerWaiter() {
        if (thread_.joinable())
            thread_.detach();
    }

    // Has the thread take up the current list before the caller goes on.
    void waitUntilSeen(std::unique_lock<std::mutex>& lock) {
        const auto generation = ++generation_;
        SetEvent(changed_);
        seenChanged_.wait(lock, [&] { return seen_ >= generation; });
    }

    void run() {
        std::vector<HANDLE> handles;
        std::vector<HWND> windows;
        for (;;) {
            {
                std::lock_guard lock(mutex_);
                seen_ = generation_;
                seenChanged_.notify_all();
                if (timers_.empty())
                    return;
                handles.assign({changed_});
                windows.assign({nullptr});
                for (const auto& entry : timers_) {
                    handles.push_back(entry.timer);
                    windows.push_back(entry.window);
                }
            }
            for (;;) {
                const DWORD woken = WaitForMultipleObjects(static_cast<DWORD>(handles.size()),
                                                           handles.data(), FALSE, INFINITE);
                const DWORD index = woken - WAIT_OBJECT_0;
                if (index >= handles.size())
                    Sleep(100); // a failed wait: not again at once
                if (index == 0 || index >= handles.size())
                    break; // the list changed: take it up again
                PostMessageW(windows[index], kTickMessage, 0, 0);
            }
        }
    }

    std::mutex mutex_;
    std::condition_variable seenChanged_;
    std::vector<Entry> timers_;
    std::uint64_t generation_ = 0;
    std::uint64_t seen_ = 0;
    HANDLE changed_;
    std::thread thread_;
};

} // namespace

WallClockTimer::WallClockTimer() {
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                    TIMER_ALL_ACCESS);
    highResolution_ = timer_ != nullptr;
    if (!timer_)
        timer_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    if (!timer_)
        throw std::runtime_error("Cannot create the monitoring timer");
}

WallClockTimer::~WallClockTimer() {
    if (waited_)
        TimerWaiter::instance().remove(static_cast<HANDLE>(timer_));
    if (window_)
        DestroyWindow(static_cast<HWND>(window_));
    CloseHandle(static_cast<HANDLE>(timer_));
}

void WallClockTimer::wakeAt(std::int64_t dueMs) {
    // Waited on from its first wake, with the window the ticks come to made then: a start
    // with nothing to wait for starts no thread and makes no window (server round trips
    // under Wine), and the main window shows without waiting for either.
    if (!waited_) {
        if (!window_)
            window_ = createMessageWindow(kWindowClass, timerWindowProc, this);
        if (!window_)
            throw std::runtime_error("Cannot create the monitoring timer");
        TimerWaiter::instance().add(static_cast<HANDLE>(timer_), static_cast<HWND>(window_));
        waited_ = true;
    }
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
