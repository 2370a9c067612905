#include "platform/linux/detached_spawn.h"

#include "platform/launcher.h"

#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tw {

namespace {

// Everything below runs between fork and exec of a possibly multi-threaded program, so it
// keeps to async-signal-safe calls.
[[noreturn]] void failChild(int pipeFd, int error) {
    ssize_t ignored = write(pipeFd, &error, sizeof error);
    (void)ignored;
    _exit(127);
}

void closeDescriptorsExcept(int keep) {
    if (keep > 3)
        close_range(3, static_cast<unsigned>(keep - 1), 0);
    if (close_range(static_cast<unsigned>(keep + 1), ~0U, 0) == 0)
        return;
    const long max = sysconf(_SC_OPEN_MAX);
    for (int fd = 3; fd < (max > 0 && max < 65536 ? max : 65536); ++fd)
        if (fd != keep)
            close(fd);
}

void resetSignals() {
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    for (int sig = 1; sig < NSIG; ++sig)
        if (sig != SIGKILL && sig != SIGSTOP)
            signal(sig, SIG_DFL);
}

[[noreturn]] void runGrandchild(const char* executable, const char* directory, int pipeFd) {
    resetSignals();
    if (chdir(directory) != 0)
        failChild(pipeFd, errno);
    const int null = open("/dev/null", O_RDWR);
    if (null < 0)
        failChild(pipeFd, errno);
    dup2(null, 0);
    dup2(null, 1);
    dup2(null, 2);
    if (null > 2)
        close(null);
    closeDescriptorsExcept(pipeFd);
    char* const argv[] = {const_cast<char*>(executable), nullptr};
    execve(executable, argv, environ);
    failChild(pipeFd, errno);
}

} // namespace

std::string launchFailureReason(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return "no such file";
    case EACCES:
    case EPERM:
        return "permission denied";
    case ENOEXEC:
        return "not a program this system can run (a script needs a #! line)";
    default: {
        std::string text = std::strerror(error);
        if (!text.empty())
            text.front() = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
        return text;
    }
    }
}

void spawnDetached(const std::string& executable, const std::string& workingDirectory) {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        throw LaunchFailed(std::string("Cannot start ") + executable + ": " + std::strerror(errno),
                           launchFailureReason(errno));
    const pid_t child = fork();
    if (child == 0) {
        close(pipeFds[0]);
        setsid();
        const pid_t grandchild = fork();
        if (grandchild < 0)
            failChild(pipeFds[1], errno);
        if (grandchild > 0)
            _exit(0);
        runGrandchild(executable.c_str(), workingDirectory.c_str(), pipeFds[1]);
    }
    const int forkError = errno;
    close(pipeFds[1]);
    if (child < 0) {
        close(pipeFds[0]);
        throw LaunchFailed(std::string("Cannot start ") + executable + ": " +
                               std::strerror(forkError),
                           launchFailureReason(forkError));
    }
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    // The pipe closes on a successful exec; an error number arrives otherwise.
    int error = 0;
    ssize_t got;
    do {
        got = read(pipeFds[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    close(pipeFds[0]);
    if (got == static_cast<ssize_t>(sizeof error))
        throw LaunchFailed(std::string("Cannot start ") + executable + ": " + std::strerror(error),
                           launchFailureReason(error));
}

} // namespace tw
