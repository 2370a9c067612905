#pragma once

#include "platform/notifier.h"

#include <string>
#include <vector>

namespace tw::test {

// A desktop that records every notification it is given.
class FakeNotifier : public Notifier {
  public:
    struct Shown {
        std::string title;
        std::string body;
    };
    bool notify(const std::string& title, const std::string& body) override {
        shown.push_back({title, body});
        return accepts;
    }

    std::vector<Shown> shown;
    bool accepts = true;
};

} // namespace tw::test
