#pragma once

#include "platform/processes.h"

namespace tw {

// The processes of this Windows session (CreateToolhelp32Snapshot, with full paths from
// QueryFullProcessImageNameW). A kill (TerminateProcess, exit code 0) never touches this
// program, its ancestors, or the processes that hold the session together.
class ToolhelpProcesses : public Processes {
  public:
    std::vector<ProcessInfo> list() override;
    bool kill(const ProcessInfo& process) override;
    int selfPid() const override;
    std::vector<SparedProcess> spared() override;

    // Whether no kill may touch the process: ourselves and our ancestors, the shell (the
    // owner of the shell and desktop windows, explorer.exe), and the system's session
    // processes in the Windows folder (csrss, winlogon, dwm, services, ...).
    bool isSpared(const ProcessInfo& process) const;

  private:
    // Why no kill may touch the process ("shell"), or "" when it may.
    std::string sparedRole(const ProcessInfo& process) const;
};

} // namespace tw
