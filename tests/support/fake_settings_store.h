#pragma once

#include "platform/settings_store.h"

#include <map>
#include <stdexcept>
#include <tuple>

namespace tw::test {

// Settings kept in memory; tests read what was written, in order.
class FakeSettingsStore : public SettingsStore {
  public:
    std::string get(const std::string& a, const std::string& s, const std::string& k,
                    const std::string& fallback) override {
        ++(keptOpen ? callsKeptOpen : callsOpenedEach);
        const auto it = values.find({a, s, k});
        return it == values.end() ? fallback : it->second;
    }
    void save(const std::string& a, const std::string& s, const std::string& k,
              const std::string& v) override {
        ++(keptOpen ? callsKeptOpen : callsOpenedEach);
        if (failWrites)
            throw std::runtime_error("Could not write the settings file");
        values[{a, s, k}] = v;
        writes.push_back({k, v});
    }
    void keepOpen(bool on) override { keptOpen = on; }
    // The value of a key of the program's own section, "" when missing.
    std::string value(const std::string& key) const {
        const auto it = values.find({"Quillmark", "Tidewell", key});
        return it == values.end() ? std::string() : it->second;
    }
    bool has(const std::string& key) const {
        return values.count({"Quillmark", "Tidewell", key}) != 0;
    }
    void put(const std::string& key, const std::string& v) {
        values[{"Quillmark", "Tidewell", key}] = v;
    }

    std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
    std::vector<std::pair<std::string, std::string>> writes;
    bool failWrites = false;
    bool keptOpen = false;
    // Reads and writes made while the store was kept open, and those made otherwise.
    int callsKeptOpen = 0;
    int callsOpenedEach = 0;
};

} // namespace tw::test
