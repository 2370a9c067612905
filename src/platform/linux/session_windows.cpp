#include "platform/linux/session_windows.h"

#include "platform/linux/app_quit_windows.h"
#include "platform/linux/kwin_windows.h"
#include "platform/linux/sway_ipc.h"
#include "platform/linux/sway_windows.h"
#include "platform/linux/x11_windows.h"

#include <cstdlib>
#include <set>
#include <stdexcept>

namespace tw {

namespace {

// A window's id carries its source's number in its top byte; the sources' own ids (X11
// window ids, compositor container numbers) stay far below it.
constexpr int kSourceShift = 56;
constexpr WindowId kLocalMask = (WindowId{1} << kSourceShift) - 1;

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

} // namespace

void SessionWindows::add(std::unique_ptr<Windows> source, bool fallback) {
    sources_.push_back({std::move(source), fallback});
}

std::vector<TopLevelWindow> SessionWindows::closableWindows() {
    std::vector<TopLevelWindow> result;
    std::vector<TopLevelWindow> fallbacks;
    std::string firstFailure;
    bool answered = false;
    for (std::size_t i = 0; i < sources_.size(); ++i) {
        try {
            for (TopLevelWindow w : sources_[i].windows->closableWindows()) {
                w.id = (WindowId{i} << kSourceShift) | (w.id & kLocalMask);
                (sources_[i].fallback ? fallbacks : result).push_back(w);
            }
            answered = true;
        } catch (const std::runtime_error& e) {
            if (firstFailure.empty())
                firstFailure = e.what();
        }
    }
    if (!answered && !firstFailure.empty())
        throw std::runtime_error(firstFailure);
    std::set<int> listed;
    for (const TopLevelWindow& w : result)
        listed.insert(w.pid);
    for (const TopLevelWindow& w : fallbacks)
        if (!listed.count(w.pid))
            result.push_back(w);
    return result;
}

void SessionWindows::requestClose(WindowId window) {
    const auto source = static_cast<std::size_t>(window >> kSourceShift);
    if (source < sources_.size())
        sources_[source].windows->requestClose(window & kLocalMask);
}

std::string SessionWindows::unreachableWindows(int pid) {
    for (const Source& source : sources_)
        if (std::string reason = source.windows->unreachableWindows(pid); !reason.empty())
            return reason;
    return {};
}

std::string SessionWindows::reachByDesktop() const {
    return "On X11 desktops, and for X programs under Xwayland on any desktop, soft close "
           "reaches every window that takes a close request.\r\n"
           "On sway (and i3) it also reaches the native Wayland windows, which sway asks "
           "to close.\r\n"
           "On KDE Plasma (5 and 6) it also reaches the native Wayland windows, which KWin "
           "asks to close.\r\n"
           "On GNOME and other Wayland desktops it reaches native Wayland programs only when "
           "they take a quit request over the session bus (most GNOME programs do); for any "
           "other it says so, and Hard close works.";
}

std::unique_ptr<Windows> makeSessionWindows(EventPump* events) {
    constexpr int wait = X11Windows::kDefaultCloseWaitMs;
    auto session = std::make_unique<SessionWindows>();
    bool nativeListed = false;
    if (const std::string sway = SwayIpc::sessionSocket(); !sway.empty()) {
        session->add(std::make_unique<SwayWindows>(sway, events, wait));
        nativeListed = true;
    }
    // X programs, Xwayland's included, are asked through X; also the facility that explains
    // a missing display when nothing else is there.
    const bool wayland = isSet("WAYLAND_DISPLAY");
    if (isSet("DISPLAY") || !wayland)
        session->add(std::make_unique<X11Windows>(events));
    // KWin lists Xwayland's windows too: those stay with X.
    if (wayland && !nativeListed && KWinWindows::runs()) {
        session->add(std::make_unique<KWinWindows>(events, wait), true);
        nativeListed = true;
    }
    if (wayland && !nativeListed)
        session->add(std::make_unique<AppQuitWindows>(events, wait), true);
    return session;
}

} // namespace tw
