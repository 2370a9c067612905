#pragma once

// Timing and process helpers shared by the close benchmarks.
#include <algorithm>
#include <chrono>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace tw::bench {

using Stopwatch = std::chrono::steady_clock;

inline double millisSince(Stopwatch::time_point start) {
    return std::chrono::duration<double, std::milli>(Stopwatch::now() - start).count();
}

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// Processor time of the calling thread so far, in milliseconds: its own work, not that of
// processes it woke (the ends of killed processes run as theirs).
inline double threadCpuMillis() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Starts argv without a shell; its output goes to /dev/null.
inline pid_t start(const std::vector<std::string>& argv) {
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    return pid;
}

// Runs argv to its end; its exit status, and in cpuMillis, if given, the processor time it
// used.
inline int run(const std::vector<std::string>& argv, double* cpuMillis = nullptr) {
    int status = 0;
    rusage used{};
    wait4(start(argv), &status, 0, &used);
    if (cpuMillis) {
        const auto millis = [](const timeval& t) {
            return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
        };
        *cpuMillis = millis(used.ru_utime) + millis(used.ru_stime);
    }
    return status;
}

} // namespace tw::bench
