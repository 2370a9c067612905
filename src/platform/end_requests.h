#pragma once

#include <functional>

namespace tw {

// The operating system's requests that the program end (logout, a kill, Ctrl+C), delivered
// on the user-interface thread so that the program can end the same orderly way as when its
// window closes.
class EndRequests {
  public:
    virtual ~EndRequests() = default;
    // From now on every request calls handler; before the first call a request ends the
    // program the system's default way.
    virtual void setHandler(std::function<void()> handler) = 0;
};

} // namespace tw
