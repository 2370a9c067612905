#include "platform/linux/session_holders.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <unistd.h>

namespace tw {

namespace {

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The parent of a process, 0 when it cannot be read. The command name in the second field
// may hold blanks and parentheses, so the fields are read after its last ')'.
int parentOf(int pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    const auto close = line.rfind(')');
    if (close == std::string::npos)
        return 0;
    std::istringstream fields(line.substr(close + 1));
    std::string state;
    int parent = 0;
    fields >> state >> parent;
    return parent;
}

// The leader of the login session as logind records it, 0 when there is none.
int loginSessionLeader() {
    const std::string id = variable("XDG_SESSION_ID");
    if (id.empty() || id.find('/') != std::string::npos)
        return 0;
    std::ifstream session("/run/systemd/sessions/" + id);
    for (std::string line; std::getline(session, line);)
        if (line.rfind("LEADER=", 0) == 0)
            return std::atoi(line.c_str() + 7);
    return 0;
}

// The listening socket names, as /proc/net/unix shows them ("@" for an abstract name), that
// hold the session these variables describe, each with its role.
struct SessionSocket {
    std::string name;
    std::string role;
};

std::vector<SessionSocket> sessionSockets(const std::string& display,
                                          const std::string& waylandDisplay,
                                          const std::string& sessionBus,
                                          const std::string& runtimeDir) {
    std::vector<SessionSocket> sockets;
    // ":0", ":0.0", "unix:0": the local X server listens on both forms of X<n>.
    if (const auto colon = display.rfind(':'); colon != std::string::npos) {
        const std::string host = display.substr(0, colon);
        const std::string number = display.substr(colon + 1, display.find('.', colon) - colon - 1);
        if ((host.empty() || host == "unix") && !number.empty() &&
            number.find_first_not_of("0123456789") == std::string::npos) {
            sockets.push_back({"/tmp/.X11-unix/X" + number, "display server"});
            sockets.push_back({"@/tmp/.X11-unix/X" + number, "display server"});
        }
    }
    if (!waylandDisplay.empty()) {
        const std::string path =
            waylandDisplay.front() == '/' ? waylandDisplay : runtimeDir + "/" + waylandDisplay;
        sockets.push_back({path, "Wayland compositor"});
    }
    // "unix:path=/run/user/1000/bus" or "unix:abstract=/tmp/dbus-x,guid=..." joined by ";".
    std::string bus = sessionBus;
    if (bus.empty() && !runtimeDir.empty())
        bus = "unix:path=" + runtimeDir + "/bus";
    std::istringstream addresses(bus);
    for (std::string address; std::getline(addresses, address, ';');) {
        if (address.rfind("unix:", 0) != 0)
            continue;
        std::istringstream keys(address.substr(5));
        for (std::string key; std::getline(keys, key, ',');) {
            if (key.rfind("path=", 0) == 0)
                sockets.push_back({key.substr(5), "session bus"});
            else if (key.rfind("abstract=", 0) == 0)
                sockets.push_back({"@" + key.substr(9), "session bus"});
        }
    }
    if (!runtimeDir.empty())
        sockets.push_back({runtimeDir + "/systemd/private", "service manager"});
    return sockets;
}

// Inodes of the listening sockets named in `wanted`, each with its role.
std::map<unsigned long, std::string> listeningInodes(const std::vector<SessionSocket>& wanted) {
    std::map<unsigned long, std::string> inodes;
    std::ifstream table("/proc/net/unix");
    std::string line;
    std::getline(table, line); // the header
    while (std::getline(table, line)) {
        // Num RefCount Protocol Flags Type St Inode [Path]
        std::istringstream fields(line);
        std::string num, refs, protocol, flags, type, state, path;
        unsigned long inode = 0;
        fields >> num >> refs >> protocol >> flags >> type >> state >> inode >> path;
        // __SO_ACCEPTCON: a listening socket; a client's end carries the same name.
        if (path.empty() || (std::strtoul(flags.c_str(), nullptr, 16) & 0x10000) == 0)
            continue;
        for (const SessionSocket& socket : wanted)
            if (socket.name == path)
                inodes.emplace(inode, socket.role);
    }
    return inodes;
}

// Every process of ours holding one of the sockets, with the socket's role.
void addSocketHolders(const std::map<unsigned long, std::string>& inodes,
                      std::vector<SparedProcess>& spared) {
    if (inodes.empty())
        return;
    DIR* proc = opendir("/proc");
    if (!proc)
        return;
    // Every process's descriptors are read: each looked up from its open folder, not by a
    // whole path from the root.
    const int procFd = dirfd(proc);
    while (const dirent* entry = readdir(proc)) {
        int pid = 0;
        const char* end = entry->d_name + std::char_traits<char>::length(entry->d_name);
        if (std::from_chars(entry->d_name, end, pid).ptr != end || pid <= 0)
            continue;
        char folder[64];
        std::snprintf(folder, sizeof folder, "%d/fd", pid);
        // Fails for other users' processes.
        const int fdsFd = openat(procFd, folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        DIR* fds = fdsFd < 0 ? nullptr : fdopendir(fdsFd);
        if (!fds) {
            if (fdsFd >= 0)
                close(fdsFd);
            continue;
        }
        while (const dirent* fd = readdir(fds)) {
            char target[64];
            const ssize_t length = readlinkat(fdsFd, fd->d_name, target, sizeof target - 1);
            if (length <= 8)
                continue;
            target[length] = '\0';
            unsigned long inode = 0;
            if (std::sscanf(target, "socket:[%lu]", &inode) != 1)
                continue;
            if (const auto it = inodes.find(inode); it != inodes.end()) {
                spared.push_back({pid, it->second});
                break;
            }
        }
        closedir(fds);
    }
    closedir(proc);
}

} // namespace

std::vector<SparedProcess> procSessionHolders() {
    std::vector<SparedProcess> spared;
    for (int pid = getppid(); pid > 0; pid = parentOf(pid))
        spared.push_back({pid, "started Tidewell"});
    if (const pid_t leader = getsid(0); leader > 0)
        spared.push_back({static_cast<int>(leader), "session leader"});
    if (const int leader = loginSessionLeader(); leader > 0)
        spared.push_back({leader, "login session leader"});
    addSocketHolders(listeningInodes(sessionSockets(
                         variable("DISPLAY"), variable("WAYLAND_DISPLAY"),
                         variable("DBUS_SESSION_BUS_ADDRESS"), variable("XDG_RUNTIME_DIR"))),
                     spared);
    return spared;
}

} // namespace tw
