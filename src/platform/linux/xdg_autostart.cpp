#include "platform/linux/xdg_autostart.h"

#include "core/paths.h"
#include "platform/qt/config_folder.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tw {

namespace {

std::string selfExecutable() {
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

std::string autostartDirectory() {
    return userConfigDirectory() + "/autostart";
}

[[noreturn]] void fail(const std::string& what, const std::string& path) {
    throw std::runtime_error(what + " " + path + ": " + std::strerror(errno));
}

void makeDirectories(const std::string& path) {
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            fail("Cannot create the folder", part);
        if (slash == std::string::npos)
            return;
    }
}

void checkName(const std::string& name) {
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos)
        throw std::runtime_error("Not a usable name for a start-up entry: " + name);
}

// A desktop entry's string value: backslashes and control characters escaped.
std::string escapeValue(const std::string& text) {
    std::string out;
    for (const char ch : text) {
        switch (ch) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += ch;
        }
    }
    return out;
}

void writeAll(int fd, const std::string& text, const std::string& path) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fail("Cannot write", path);
        done += static_cast<std::size_t>(n);
    }
}

} // namespace

XdgAutostart::XdgAutostart() : executable_(selfExecutable()) {}

XdgAutostart::XdgAutostart(std::string executablePath) : executable_(std::move(executablePath)) {}

std::string XdgAutostart::executableName() const {
    return fileNameOf(executable_, "/");
}

std::string XdgAutostart::entryPath(const std::string& name) {
    checkName(name);
    return autostartDirectory() + "/" + name + ".desktop";
}

std::string XdgAutostart::execValue(const std::string& program) {
    // Quoted as one argument: inside double quotes ", `, $ and \ take a backslash, and %
    // is doubled so it is no field code. The whole is then escaped as a string value.
    std::string quoted = "\"";
    for (const char ch : program) {
        if (ch == '"' || ch == '`' || ch == '$' || ch == '\\')
            quoted += '\\';
        quoted += ch;
        if (ch == '%')
            quoted += '%';
    }
    quoted += '"';
    // GLib checks that the program exists before it turns %% back into %, so it rejects a
    // program whose path holds a %; through env the path is an argument and survives.
    if (program.find('%') != std::string::npos)
        quoted = "/usr/bin/env " + quoted;
    return escapeValue(quoted);
}

std::string XdgAutostart::entryText(const std::string& name) const {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" +
           escapeValue(name) + "\nExec=" + execValue(executable_) +
           "\nTerminal=false\nX-GNOME-Autostart-enabled=true\n";
}

bool XdgAutostart::startsThisProgram(const std::string& name) const {
    if (executable_.empty())
        return false;
    const std::string path = entryPath(name);
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return false;
        fail("Cannot read", path);
    }
    std::string text;
    char buffer[4096];
    ssize_t n = 0;
    while ((n = read(fd, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR))
        if (n > 0)
            text.append(buffer, static_cast<std::size_t>(n));
    const int error = errno;
    close(fd);
    if (n < 0) {
        errno = error;
        fail("Cannot read", path);
    }
    return text == entryText(name);
}

void XdgAutostart::add(const std::string& name) {
    if (executable_.empty())
        throw std::runtime_error("Cannot find the running program's executable");
    const std::string path = entryPath(name);
    makeDirectories(autostartDirectory());
    const std::string text = entryText(name);
    // A new file renamed into place: a reader never sees half an entry, and a failed write
    // leaves the old one alone.
    std::string temporary = autostartDirectory() + "/." + name + ".XXXXXX";
    int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        fail("Cannot create", temporary);
    try {
        writeAll(fd, text, temporary);
        if (fchmod(fd, 0644) != 0 || fsync(fd) != 0)
            fail("Cannot write", temporary);
        // A failed close has released the descriptor all the same: it is never closed again.
        const int closed = close(std::exchange(fd, -1));
        if (closed != 0)
            fail("Cannot write", temporary);
    } catch (...) {
        if (fd >= 0)
            close(fd);
        unlink(temporary.c_str());
        throw;
    }
    if (rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        unlink(temporary.c_str());
        errno = error;
        fail("Cannot write", path);
    }
}

void XdgAutostart::remove(const std::string& name) {
    const std::string path = entryPath(name);
    if (unlink(path.c_str()) != 0 && errno != ENOENT)
        fail("Cannot remove", path);
}

} // namespace tw
