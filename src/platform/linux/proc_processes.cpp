#include "platform/linux/proc_processes.h"

#include "core/paths.h"
#include "platform/linux/session_holders.h"
#include "platform/linux/x11_windows.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <stdexcept>
#include <string_view>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace tw {

namespace {

constexpr std::string_view kDeleted = " (deleted)";

// The real executable of a process, without the mark of a replaced binary; "" when the
// link cannot be read (kernel threads, other users' processes, a process that just ended).
// `proc` is an open /proc, or AT_FDCWD with `pid` naming "/proc/<pid>".
std::string executablePath(int proc, const char* pid) {
    char link[64];
    std::snprintf(link, sizeof link, "%s/exe", pid);
    char buffer[4096];
    const ssize_t length = readlinkat(proc, link, buffer, sizeof buffer);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer)
        return {};
    std::string_view path(buffer, static_cast<std::size_t>(length));
    if (path.size() > kDeleted.size() && path.ends_with(kDeleted))
        path.remove_suffix(kDeleted.size());
    return std::string(path);
}

std::string executablePath(int pid) {
    return executablePath(AT_FDCWD, ("/proc/" + std::to_string(pid)).c_str());
}

// The first word of the command line, "" when there is none (kernel threads).
std::string firstArgument(int pid) {
    const std::string file = "/proc/" + std::to_string(pid) + "/cmdline";
    const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    char buffer[4096];
    const ssize_t length = read(fd, buffer, sizeof buffer);
    close(fd);
    if (length <= 0)
        return {};
    return std::string(buffer, strnlen(buffer, static_cast<std::size_t>(length)));
}

int pidfdOpen(int pid) {
    return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
}

int pidfdSendSignal(int pidfd, int signal) {
    return static_cast<int>(syscall(SYS_pidfd_send_signal, pidfd, signal, nullptr, 0));
}

} // namespace

std::vector<ProcessInfo> ProcProcesses::list() {
    DIR* proc = opendir("/proc");
    if (!proc)
        throw std::runtime_error(std::string("Cannot read the process list: ") +
                                 std::strerror(errno));
    std::vector<ProcessInfo> result;
    // Looked up from the open /proc: a hard close reads every process's entry.
    const int procFd = dirfd(proc);
    const uid_t self = geteuid();
    while (const dirent* entry = readdir(proc)) {
        char* end = nullptr;
        const long pid = std::strtol(entry->d_name, &end, 10);
        if (pid <= 0 || *end != '\0')
            continue;
        ProcessInfo info;
        info.pid = static_cast<int>(pid);
        // Another user's process is never ours to end, even when we may (as root).
        struct stat owner {};
        const bool ours = fstatat(procFd, entry->d_name, &owner, 0) == 0 && owner.st_uid == self;
        info.path = ours ? executablePath(procFd, entry->d_name) : std::string();
        info.name = fileNameOf(info.path.empty() ? firstArgument(info.pid) : info.path, "/");
        // Kernel threads and processes that ended meanwhile have neither.
        if (!info.name.empty())
            result.push_back(std::move(info));
    }
    closedir(proc);
    return result;
}

bool ProcProcesses::kill(const ProcessInfo& process) {
    if (process.pid <= 0 || process.pid == selfPid() || process.path.empty())
        return false;
    // The pidfd pins the process: once its executable is checked after the pidfd was taken,
    // a signal through it cannot reach another process that inherited the number.
    const int pidfd = pidfdOpen(process.pid);
    if (pidfd < 0) {
        if (errno != ENOSYS)
            return false;
        // Kernels before 5.3: the check and the signal are as close together as they can be.
        return executablePath(process.pid) == process.path && ::kill(process.pid, SIGKILL) == 0;
    }
    const bool same = executablePath(process.pid) == process.path;
    const bool signalled = same && pidfdSendSignal(pidfd, SIGKILL) == 0;
    close(pidfd);
    return signalled;
}

int ProcProcesses::selfPid() const {
    return static_cast<int>(getpid());
}

std::vector<SparedProcess> ProcProcesses::spared() {
    std::vector<SparedProcess> spared = procSessionHolders();
    const std::vector<SparedProcess> windowSystem = x11SessionHolders();
    spared.insert(spared.end(), windowSystem.begin(), windowSystem.end());
    return spared;
}

} // namespace tw
