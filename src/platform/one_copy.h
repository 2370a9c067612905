#pragma once

#include <functional>
#include <memory>
#include <string>

namespace tw {

// Keeps the program to one running copy in the user's session: a later start asks the
// running copy to show its window, and then ends.
class OneCopy {
  public:
    enum class Claim {
        First,      // this is the session's copy: go on starting
        HandedOver, // the running copy was asked to show its window: end now
        NoAnswer,   // a copy runs but did not answer: problem() says why
    };

    virtual ~OneCopy() = default;
    // Claims the session for this copy, or hands over to the copy that has it.
    virtual Claim claim() = 0;
    // After NoAnswer, why; after First, why later starts may not reach this copy, or "".
    virtual const std::string& problem() const = 0;

    // Runs in the first copy each time a later start asks for the window.
    std::function<void()> onAnotherStart;
};

// Each backend defines it. appId: the program's reverse-DNS name. Needs the toolkit running.
std::unique_ptr<OneCopy> makeOneCopy(const std::string& appId);

} // namespace tw
