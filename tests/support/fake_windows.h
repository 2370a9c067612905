#pragma once

#include "platform/windows.h"

#include <algorithm>
#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace tw::test {

// Top-level windows kept in memory, topmost first. A close request removes the window
// unless the test marked it as one that refuses (or hides instead of closing).
class FakeWindows : public Windows {
  public:
    std::vector<TopLevelWindow> closableWindows() override {
        ++scans;
        if (!noDisplay.empty())
            throw std::runtime_error(noDisplay);
        return windows;
    }
    void requestClose(WindowId window) override {
        if (!noDisplay.empty())
            throw std::runtime_error(noDisplay);
        requests.push_back(window);
        if (undeliverable.count(window))
            throw CloseNotDelivered("Access is denied.");
        if (onRequest)
            onRequest(window);
        if (refusing.count(window))
            return;
        std::erase_if(windows, [&](const TopLevelWindow& w) { return w.id == window; });
    }

    void add(WindowId id, int pid, bool dialog = false) { windows.push_back({id, pid, dialog}); }

    std::vector<TopLevelWindow> windows; // topmost first
    std::set<WindowId> refusing;         // windows that stay after a close request
    std::set<WindowId> undeliverable;    // windows no close request can reach
    std::string noDisplay;               // thrown by every call when set
    std::function<void(WindowId)> onRequest;
    std::vector<WindowId> requests;
    int scans = 0;
};

} // namespace tw::test
