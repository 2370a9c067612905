#pragma once

#include "platform/processes.h"

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace tw::test {

// A process table kept in memory; kill removes the process, unless it is protected.
class FakeProcesses : public Processes {
  public:
    std::vector<ProcessInfo> list() override {
        ++scans;
        if (!listFailure.empty())
            throw std::runtime_error(listFailure);
        return running;
    }
    bool kill(const ProcessInfo& process) override {
        killAttempts.push_back(process.pid);
        if (protectedPids.count(process.pid))
            return false;
        const auto it = std::find_if(running.begin(), running.end(), [&](const ProcessInfo& p) {
            return p.pid == process.pid && p.path == process.path;
        });
        if (it == running.end())
            return false;
        running.erase(it);
        killed.push_back(process.pid);
        return true;
    }
    int selfPid() const override { return self; }
    std::vector<SparedProcess> spared() override {
        ++sparedScans;
        return sparedList;
    }

    // Adds a running process; the name is the path's last part unless given.
    void add(int pid, const std::string& path, std::string name = {}) {
        if (name.empty())
            name = path.substr(path.find_last_of('/') + 1);
        running.push_back({pid, name, path});
    }
    bool isRunning(int pid) const {
        return std::any_of(running.begin(), running.end(),
                           [&](const ProcessInfo& p) { return p.pid == pid; });
    }

    std::vector<ProcessInfo> running;
    std::set<int> protectedPids;           // kill fails for these, as for another user's process
    std::vector<SparedProcess> sparedList; // the session's holders and our ancestors
    int sparedScans = 0;
    std::string listFailure; // thrown by list() when set
    int self = 4242;
    int scans = 0;
    std::vector<int> killAttempts;
    std::vector<int> killed;
};

} // namespace tw::test
