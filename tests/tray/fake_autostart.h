#pragma once

#include "platform/autostart.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace tw {

// A session autostart list kept in memory; names of entries in order of writing.
class FakeAutostart : public Autostart {
  public:
    std::string executableName() const override { return name; }
    void add(const std::string& entry) override {
        if (!failure.empty())
            throw std::runtime_error(failure);
        entries.push_back(entry);
        calls.push_back("add " + entry);
    }
    void remove(const std::string& entry) override {
        if (!failure.empty())
            throw std::runtime_error(failure);
        std::erase(entries, entry);
        calls.push_back("remove " + entry);
    }
    std::string name = "tidewell";
    std::string failure; // thrown by add and remove when set
    std::vector<std::string> entries;
    std::vector<std::string> calls;
};

} // namespace tw
