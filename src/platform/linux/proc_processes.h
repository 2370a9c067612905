#pragma once

#include "platform/processes.h"

namespace tw {

// The processes of this machine as /proc shows them; kills go through a pidfd. Other users'
// processes are listed without a path, so no hard close can match them.
class ProcProcesses : public Processes {
  public:
    std::vector<ProcessInfo> list() override;
    bool kill(const ProcessInfo& process) override;
    int selfPid() const override;
    // Our ancestors and the session's holders: procSessionHolders() and x11SessionHolders().
    std::vector<SparedProcess> spared() override;
};

} // namespace tw
