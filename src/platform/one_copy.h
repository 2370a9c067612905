#pragma once

#include <functional>
#include <memory>
#include <string>

namespace tw {

// Keeps the program to one running copy in the user's session: a later start asks the
// running copy to show its window, and then ends. A script's command (core/command_line.h)
// travels the same way and brings back the running copy's answer.
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

    enum class Asked {
        Answered, // answer holds the running copy's answer
        NoCopy,   // no copy runs in this session
        NoAnswer, // a copy runs but did not answer: problem() says why
    };
    // Passes a script's request to the running copy, without claiming the session, and
    // waits for its answer.
    virtual Asked ask(const std::string& request, std::string& answer) = 0;

    // Runs in the first copy each time a later start asks for the window.
    std::function<void()> onAnotherStart;
    // Runs in the first copy for each script's request; returns the answer to send back.
    std::function<std::string(const std::string& request)> onCommand;
};

// Each backend defines it. appId: the program's reverse-DNS name. Needs the toolkit running.
std::unique_ptr<OneCopy> makeOneCopy(const std::string& appId);

} // namespace tw
