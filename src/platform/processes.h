#pragma once

#include <string>
#include <vector>

namespace tw {

struct ProcessInfo {
    int pid = 0;
    std::string name; // executable file name without folder
    std::string path; // full path of the executable, "" when it cannot be read
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
};

} // namespace tw
