#pragma once

#include "platform/settings_store.h"
#include "platform/win32/registry.h"

#include <memory>

namespace tw {

// The per-user program-settings area of the registry:
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>, one REG_SZ
// value per key, names unchanged, so values an earlier program kept there carry over.
class RegistrySettingsStore : public SettingsStore {
  public:
    std::string get(const std::string& application, const std::string& section,
                    const std::string& key, const std::string& fallback) override;
    // Throws StoreWriteError, naming the key and the system's reason, when the registry
    // refuses the write.
    void save(const std::string& application, const std::string& section, const std::string& key,
              const std::string& value) override;
    std::optional<StoreReadTrouble> takeReadTrouble() override { return trouble_.take(); }
    bool lastGetRead() const override { return lastGetRead_; }
    void keepOpen(bool on) override;

    // The key path under HKEY_CURRENT_USER.
    static std::wstring keyPath(const std::string& application, const std::string& section);

  private:
    // The key held open while kept open: the one last used.
    HeldUserKey* held(const std::wstring& keyPath);

    bool keepOpen_ = false;
    std::unique_ptr<HeldUserKey> held_;
    bool lastGetRead_ = true;
    ReadTroubleOnce trouble_;
};

} // namespace tw
