#pragma once

#include <chrono>

namespace tw {

// The end of a bounded wait, such as a close request's wait for its window to go.
class Deadline {
  public:
    explicit Deadline(int ms) : end_(Clock::now() + std::chrono::milliseconds(ms)) {}
    // Milliseconds left; 0 once the time is up.
    int leftMs() const {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end_ - Clock::now()).count();
        return left > 0 ? static_cast<int>(left) : 0;
    }

  private:
    using Clock = std::chrono::steady_clock;
    Clock::time_point end_;
};

} // namespace tw
