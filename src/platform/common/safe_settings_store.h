#pragma once

#include "platform/settings_store.h"

#include <functional>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

namespace tw {

// The store as the program uses it. A value that cannot be written is kept in memory, read
// back from there and written again at the next change; the user is told once why and
// where, and told again when saving works. A value that was read while the store could not
// be read at all is never written back unchanged, so a list that failed to load is not
// stored as empty. Read trouble (a file only partly read, the copy kept of it) is told once.
class SafeSettingsStore : public SettingsStore {
  public:
    using Tell = std::function<void(const std::string& message)>;
    SafeSettingsStore(SettingsStore& inner, Tell tell);
    // Owns the store it stands for.
    SafeSettingsStore(std::unique_ptr<SettingsStore> inner, Tell tell);

    std::string get(const std::string& application, const std::string& section,
                    const std::string& key, const std::string& fallback) override;
    // Never throws for a write the store refused with a reason: the value waits in memory.
    void save(const std::string& application, const std::string& section, const std::string& key,
              const std::string& value) override;
    std::optional<StoreReadTrouble> takeReadTrouble() override { return std::nullopt; }
    void keepOpen(bool on) override { inner_.keepOpen(on); }

  private:
    using Address = std::tuple<std::string, std::string, std::string>;
    void tellReadTrouble();
    void flush();

    std::unique_ptr<SettingsStore> owned_;
    SettingsStore& inner_;
    Tell tell_;
    // Unsaved values in the order they were first changed.
    std::vector<std::pair<Address, std::string>> pending_;
    // What an unreadable store answered, per key, until the key is given another value.
    std::map<Address, std::string> unread_;
    bool failing_ = false;
    std::string failedPath_;
};

} // namespace tw
