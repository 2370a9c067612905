#pragma once

#include "platform/processes.h"

namespace tw {

// The processes of this machine as /proc shows them; kills go through a pidfd.
class ProcProcesses : public Processes {
  public:
    std::vector<ProcessInfo> list() override;
    bool kill(const ProcessInfo& process) override;
    int selfPid() const override;
};

} // namespace tw
