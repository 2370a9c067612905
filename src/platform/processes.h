#pragma once

#include <string>
#include <vector>

namespace tw {

struct ProcessInfo {
    int pid = 0;
    std::string name; // executable file name without folder
    // Full path of the executable; "" when it cannot be read or the process belongs to
    // another user (never ours to end).
    std::string path;
};

// A process that no close may end, and why, in a few words ("window manager").
struct SparedProcess {
    int pid = 0;
    std::string role;
};

// The running processes of this machine.
class Processes {
  public:
    virtual ~Processes() = default;
    // A fresh snapshot of the running processes; vanished ones are simply absent.
    virtual std::vector<ProcessInfo> list() = 0;
    // Terminates the process at once if it is still the one described (same pid and
    // executable path); false when it is gone, changed or may not be signalled.
    virtual bool kill(const ProcessInfo& process) = 0;
    // This program's own process identifier.
    virtual int selfPid() const = 0;
    // The processes a close must never end, whatever its entry matches: this program and
    // every process it descends from, and those that hold the user's session together: the
    // display server or compositor, the window manager, the tray host, the session bus, the
    // user's service manager and the login session's leader. A fresh answer at each call;
    // holders that cannot be determined here are simply absent.
    virtual std::vector<SparedProcess> spared() = 0;
};

} // namespace tw
