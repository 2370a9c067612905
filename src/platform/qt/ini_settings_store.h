#pragma once

#include "platform/settings_store.h"

#include <map>
#include <memory>
#include <tuple>

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
    std::optional<StoreReadTrouble> takeReadTrouble() override { return trouble_.take(); }
    bool lastGetRead() const override { return lastGetRead_; }

    std::string filePath(const std::string& application) const;

  private:
    std::unique_ptr<QSettings> open(const std::string& path);
    // Reports, with a copy of the file, text that a write would change.
    void noteLossOnRewrite(const std::string& path);

    std::string configDirectory_;
    bool lastGetRead_ = true;
    ReadTroubleOnce trouble_;
    // When each file was last found to survive a write unchanged (modification time, size).
    using FileStamp = std::tuple<long long, long long, long long>;
    std::map<std::string, FileStamp> unchanged_;
};

} // namespace tw
