#include "platform/win32/registry_settings_store.h"

#include "platform/win32/registry.h"
#include "platform/win32/wide_text.h"

namespace tw {

std::wstring RegistrySettingsStore::keyPath(const std::string& application,
                                            const std::string& section) {
    return L"Software\\VB and VBA Program Settings\\" + widen(application) + L"\\" + widen(section);
}

// No cache: every read sees what another running copy wrote, every change is written at once.
// A key the registry will not let us read answers with the fallback and says so once, as a
// settings file that cannot be read does.
std::string RegistrySettingsStore::get(const std::string& application, const std::string& section,
                                       const std::string& key, const std::string& fallback) {
    lastGetRead_ = true;
    try {
        const auto value = readUserString(keyPath(application, section), widen(key));
        return value ? narrow(*value) : fallback;
    } catch (const RegistryError& e) {
        lastGetRead_ = false;
        trouble_.note({e.key(), e.reason(), {}});
        return fallback;
    }
}

void RegistrySettingsStore::save(const std::string& application, const std::string& section,
                                 const std::string& key, const std::string& value) {
    try {
        writeUserString(keyPath(application, section), widen(key), widen(value));
    } catch (const RegistryError& e) {
        throw StoreWriteError(e.key(), e.reason());
    }
}

} // namespace tw
