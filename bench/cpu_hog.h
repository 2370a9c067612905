#pragma once

#include <csignal>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// Child processes that keep every core busy until they are stopped, like any CPU-bound job.
class CpuHog {
  public:
    explicit CpuHog(int processes) {
        for (int i = 0; i < processes; ++i) {
            const pid_t pid = fork();
            if (pid == 0) {
                // Never outlive the benchmark, even when it is interrupted.
                prctl(PR_SET_PDEATHSIG, SIGKILL);
                if (getppid() == 1)
                    _exit(0);
                volatile unsigned long spin = 0;
                for (;;)
                    spin = spin + 1;
            }
            if (pid > 0)
                pids_.push_back(pid);
        }
    }
    ~CpuHog() {
        for (const pid_t pid : pids_) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    CpuHog(const CpuHog&) = delete;
    CpuHog& operator=(const CpuHog&) = delete;

  private:
    std::vector<pid_t> pids_;
};
