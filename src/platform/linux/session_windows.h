#pragma once

#include "platform/windows.h"

#include <memory>
#include <string>
#include <vector>

namespace tw {

class EventPump;

// The windows of a desktop session that has more than one way to reach them, such as a
// Wayland compositor for its native windows and Xwayland for X programs: every source is
// asked, and each window belongs to exactly one source.
class SessionWindows : public Windows {
  public:
    // A fallback source stands in only for processes of which no other source lists a
    // window, so that no program is asked twice.
    void add(std::unique_ptr<Windows> source, bool fallback = false);
    bool empty() const { return sources_.empty(); }

    // Each source's windows in turn. Throws the first source's failure only when no source
    // answers, so a session keeps closing what it can reach.
    std::vector<TopLevelWindow> closableWindows() override;
    void requestClose(WindowId window) override;
    std::string unreachableWindows(int pid) override;
    std::string reachByDesktop() const override;

  private:
    struct Source {
        std::unique_ptr<Windows> windows;
        bool fallback;
    };
    std::vector<Source> sources_;
};

// The window facility of this session, chosen from what it offers now: X11 (DISPLAY),
// sway's IPC (SWAYSOCK), KWin over the session bus; on other Wayland desktops, programs
// that take a quit request over the session bus.
std::unique_ptr<Windows> makeSessionWindows(EventPump* events);

} // namespace tw
