#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tw {

// One connection to the i3-compatible IPC socket of sway (and i3): messages are the magic
// "i3-ipc", a payload length, a type and a JSON payload.
class SwayIpc {
  public:
    static constexpr std::uint32_t kRunCommand = 0;
    static constexpr std::uint32_t kSubscribe = 2;
    static constexpr std::uint32_t kGetTree = 4;
    // Replies carry their request's type; events have this bit set.
    static constexpr std::uint32_t kEventBit = 0x80000000u;

    struct Message {
        std::uint32_t type = 0;
        std::string payload;
    };

    // The socket this session names ($SWAYSOCK, else $I3SOCK), or "" when there is none.
    static std::string sessionSocket();

    // Throws std::runtime_error when the socket cannot be reached.
    explicit SwayIpc(const std::string& socketPath);
    ~SwayIpc();
    SwayIpc(const SwayIpc&) = delete;
    SwayIpc& operator=(const SwayIpc&) = delete;

    // Sends a request and returns the payload of its reply; events that come first are
    // dropped. Throws std::runtime_error when the connection fails.
    std::string request(std::uint32_t type, const std::string& payload);
    // The next message if one arrives within timeoutMs (0: only one already there).
    std::optional<Message> read(int timeoutMs);

  private:
    void send(std::uint32_t type, const std::string& payload);
    Message readMessage();

    int fd_ = -1;
    std::string path_;
};

} // namespace tw
