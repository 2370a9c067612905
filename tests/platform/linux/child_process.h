#pragma once

// Real processes for the platform tests: started without a shell, always reaped.
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace tw::test {

// Polls until the condition holds or the time is up; true when it held.
inline bool eventually(const std::function<bool()>& condition, int timeoutMs = 10000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// A child running argv; its standard output is readable line by line. Killed and reaped
// when it goes out of scope.
class Child {
  public:
    explicit Child(const std::vector<std::string>& argv) {
        int out[2];
        if (pipe2(out, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe");
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], 1);
            std::vector<char*> args;
            for (const std::string& a : argv)
                args.push_back(const_cast<char*>(a.c_str()));
            args.push_back(nullptr);
            execv(args[0], args.data());
            _exit(127);
        }
        close(out[1]);
        out_ = out[0];
    }
    ~Child() {
        if (pid_ > 0 && !reaped_) {
            ::kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        close(out_);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    int pid() const { return pid_; }

    // The next line the child writes, "" on end of output or time-out.
    std::string readLine(int timeoutMs = 10000) {
        std::string line;
        char ch;
        pollfd fd{out_, POLLIN, 0};
        while (poll(&fd, 1, timeoutMs) > 0 && read(out_, &ch, 1) == 1 && ch != '\n')
            line += ch;
        return line;
    }

    // Waits for the child to end; its wait status, or -1 when it did not end in time.
    int waitExit(int timeoutMs = 10000) {
        if (!reaped_)
            eventually(
                [&] {
                    int status = 0;
                    if (waitpid(pid_, &status, WNOHANG) == pid_) {
                        reaped_ = true;
                        status_ = status;
                    }
                    return reaped_;
                },
                timeoutMs);
        return reaped_ ? status_ : -1;
    }
    bool running() { return waitExit(0) == -1; }

  private:
    int pid_ = -1;
    int out_ = -1;
    bool reaped_ = false;
    int status_ = -1;
};

// A fresh folder under the temp folder, removed at the end of the test.
class TempDir {
  public:
    TempDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tidewell-test.XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp");
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

inline void writeFile(const std::string& path, const std::string& text, bool executable = false) {
    std::ofstream(path) << text;
    std::filesystem::permissions(path, executable ? std::filesystem::perms(0755)
                                                  : std::filesystem::perms(0644));
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace tw::test
