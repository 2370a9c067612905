#pragma once

#include "platform/autostart.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tw::test {

// A session autostart list kept in memory; names of entries in order of writing.
class FakeAutostart : public Autostart {
  public:
    std::string executableName() const override { return name; }
    void add(const std::string& entry) override {
        if (!failure.empty())
            throw std::runtime_error(failure);
        if (std::find(entries.begin(), entries.end(), entry) == entries.end())
            entries.push_back(entry);
        std::erase(elsewhere, entry);
        calls.push_back("add " + entry);
    }
    void remove(const std::string& entry) override {
        if (!failure.empty())
            throw std::runtime_error(failure);
        std::erase(entries, entry);
        calls.push_back("remove " + entry);
    }

    bool startsThisProgram(const std::string& entry) const override {
        return std::find(entries.begin(), entries.end(), entry) != entries.end() &&
               std::find(elsewhere.begin(), elsewhere.end(), entry) == elsewhere.end();
    }
    std::optional<MachineWideEntry> machineWideEntry(const std::string&) const override {
        return machineWide;
    }

    std::string name = "tidewell";
    std::vector<std::string> elsewhere; // entries that start another program
    std::optional<MachineWideEntry> machineWide;
    std::string failure; // thrown by add and remove when set
    std::vector<std::string> entries;
    std::vector<std::string> calls;
};

} // namespace tw::test
