#pragma once

#include "platform/settings_store.h"

namespace tw {

// The settings store as one INI file per application in the user's configuration folder
// (${XDG_CONFIG_HOME:-$HOME/.config}/<application>.ini), one group per section.
class IniSettingsStore : public SettingsStore {
  public:
    // configDirectory "" means the user's configuration folder, looked up at each call.
    explicit IniSettingsStore(std::string configDirectory = {});

    std::string get(const std::string& application, const std::string& section,
                    const std::string& key, const std::string& fallback) override;
    void save(const std::string& application, const std::string& section, const std::string& key,
              const std::string& value) override;

    std::string filePath(const std::string& application) const;

  private:
    std::string configDirectory_;
};

// ${XDG_CONFIG_HOME:-$HOME/.config}
std::string userConfigDirectory();

} // namespace tw
