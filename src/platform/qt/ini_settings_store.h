#pragma once

#include "platform/settings_store.h"

#include <memory>
#include <set>

class QSettings;

namespace tw {

// The settings store as one INI file per application in the user's configuration folder
// (userConfigDirectory()/<application>.ini), one group per section. The file is
// shared by every program of the vendor: a line that does not parse costs only that line.
class IniSettingsStore : public SettingsStore {
  public:
    // configDirectory "" means the user's configuration folder, looked up at each call.
    explicit IniSettingsStore(std::string configDirectory = {});
    ~IniSettingsStore() override;

    std::string get(const std::string& application, const std::string& section,
                    const std::string& key, const std::string& fallback) override;
    void save(const std::string& application, const std::string& section, const std::string& key,
              const std::string& value) override;
    std::optional<StoreReadTrouble> takeReadTrouble() override;
    bool lastGetRead() const override { return lastGetRead_; }

    std::string filePath(const std::string& application) const;

  private:
    std::unique_ptr<QSettings> open(const std::string& path);
    void noteTrouble(StoreReadTrouble trouble);

    std::string configDirectory_;
    bool lastGetRead_ = true;
    std::optional<StoreReadTrouble> trouble_;
    // Files whose trouble was already reported, so that each is reported once.
    std::set<std::string> reported_;
};

} // namespace tw
