#pragma once

#include <string>

namespace tw {

// The per-user store of string values addressed by application, section and key.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // The stored text, or fallback when the application, section or key is missing.
    virtual std::string get(const std::string& application, const std::string& section,
                            const std::string& key, const std::string& fallback) = 0;
    // Stores the text at once, durably, replacing any value; throws on a failed write.
    virtual void save(const std::string& application, const std::string& section,
                      const std::string& key, const std::string& value) = 0;
};

} // namespace tw
