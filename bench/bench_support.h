#pragma once

// Timing and process helpers shared by the close benchmarks.
#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <string>
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

// Runs argv to its end; its exit status.
inline int run(const std::vector<std::string>& argv) {
    int status = 0;
    waitpid(start(argv), &status, 0);
    return status;
}

} // namespace tw::bench
