#include "platform/linux/sway_ipc.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace tw {

namespace {

constexpr char kMagic[] = {'i', '3', '-', 'i', 'p', 'c'};
constexpr std::size_t kHeaderSize = sizeof kMagic + 2 * sizeof(std::uint32_t);
// A tree of a busy session is well below this; anything larger is not sway talking.
constexpr std::uint32_t kLargestPayload = 64u << 20;

} // namespace

std::string SwayIpc::sessionSocket() {
    for (const char* name : {"SWAYSOCK", "I3SOCK"})
        if (const char* value = std::getenv(name); value && *value)
            return value;
    return {};
}

SwayIpc::SwayIpc(const std::string& socketPath) : path_(socketPath) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath.empty() || socketPath.size() >= sizeof address.sun_path)
        throw std::runtime_error("No sway IPC socket is named by SWAYSOCK");
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd_ < 0 || connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const std::string reason = std::strerror(errno);
        if (fd_ >= 0)
            ::close(fd_);
        throw std::runtime_error("The sway IPC socket " + socketPath +
                                 " could not be reached: " + reason);
    }
}

SwayIpc::~SwayIpc() {
    ::close(fd_);
}

void SwayIpc::send(std::uint32_t type, const std::string& payload) {
    std::string message(kMagic, sizeof kMagic);
    const auto length = static_cast<std::uint32_t>(payload.size());
    message.append(reinterpret_cast<const char*>(&length), sizeof length);
    message.append(reinterpret_cast<const char*>(&type), sizeof type);
    message += payload;
    std::size_t sent = 0;
    while (sent < message.size()) {
        const ssize_t n = ::send(fd_, message.data() + sent, message.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw std::runtime_error("The sway IPC connection failed: " +
                                     std::string(std::strerror(errno)));
        sent += static_cast<std::size_t>(n);
    }
}

SwayIpc::Message SwayIpc::readMessage() {
    auto readExactly = [this](char* into, std::size_t size) {
        std::size_t got = 0;
        while (got < size) {
            const ssize_t n = ::recv(fd_, into + got, size - got, 0);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                throw std::runtime_error("The sway IPC connection was closed");
            got += static_cast<std::size_t>(n);
        }
    };
    char header[kHeaderSize];
    readExactly(header, sizeof header);
    if (std::memcmp(header, kMagic, sizeof kMagic) != 0)
        throw std::runtime_error("The sway IPC socket " + path_ + " does not speak i3-ipc");
    Message message;
    std::uint32_t length = 0;
    std::memcpy(&length, header + sizeof kMagic, sizeof length);
    std::memcpy(&message.type, header + sizeof kMagic + sizeof length, sizeof message.type);
    if (length > kLargestPayload)
        throw std::runtime_error("The sway IPC socket " + path_ + " sent an oversized reply");
    message.payload.resize(length);
    readExactly(message.payload.data(), length);
    return message;
}

std::string SwayIpc::request(std::uint32_t type, const std::string& payload) {
    send(type, payload);
    for (;;) {
        Message reply = readMessage();
        if (!(reply.type & kEventBit))
            return std::move(reply.payload);
    }
}

std::optional<SwayIpc::Message> SwayIpc::read(int timeoutMs) {
    pollfd fd{fd_, POLLIN, 0};
    const int ready = poll(&fd, 1, timeoutMs);
    if (ready < 0 && errno != EINTR)
        throw std::runtime_error("The sway IPC connection failed: " +
                                 std::string(std::strerror(errno)));
    if (ready <= 0)
        return std::nullopt;
    return readMessage();
}

} // namespace tw
