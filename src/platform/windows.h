#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace tw {

using WindowId = std::uint64_t;

struct TopLevelWindow {
    WindowId id = 0;
    int pid = 0; // owning process, 0 when unknown
    // A question the program asks its user (a dialog, or a window transient for another):
    // the user answers it, never a close request.
    bool dialog = false;
};

// A close request that could not be handed to its window (one of a program running with
// higher rights, ...): nothing was asked. what() says why in a few words.
class CloseNotDelivered : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The top-level windows of the desktop session.
class Windows {
  public:
    virtual ~Windows() = default;
    // Top-level windows that accept a close request, in Z-order, topmost first, hidden ones
    // included. Throws std::runtime_error when no window system can be reached.
    virtual std::vector<TopLevelWindow> closableWindows() = 0;
    // Asks the window to close as if the user had closed it; returns once it is gone or a
    // bounded wait has passed. Throws CloseNotDelivered when the window could not be asked,
    // std::runtime_error when no window system can be reached.
    virtual void requestClose(WindowId window) = 0;
    // Why the process may have windows that no close request of ours can reach (a desktop
    // that lets no program close another's windows), or "" when every window is listed.
    virtual std::string unreachableWindows(int pid) {
        (void)pid;
        return {};
    }
    // What a close request reaches on each kind of desktop this facility serves, one
    // sentence each, for the close method's help; "" when there is nothing to add.
    virtual std::string reachByDesktop() const { return {}; }
};

} // namespace tw
