#include "platform/win32/registry_settings_store.h"

#include "platform/win32/wide_text.h"

namespace tw {

std::wstring RegistrySettingsStore::keyPath(const std::string& application,
                                            const std::string& section) {
    return L"Software\\VB and VBA Program Settings\\" + widen(application) + L"\\" + widen(section);
}

void RegistrySettingsStore::keepOpen(bool on) {
    keepOpen_ = on;
    if (!on)
        held_.reset();
}

HeldUserKey* RegistrySettingsStore::held(const std::wstring& keyPath) {
    if (!keepOpen_)
        return nullptr;
    if (!held_ || held_->path() != keyPath)
        held_ = std::make_unique<HeldUserKey>(keyPath);
    return held_.get();
}

// No cache: every read sees what another running copy wrote, every change is written at once.
// A key the registry will not let us read answers with the fallback and says so once, as a
// settings file that cannot be read does.
std::string RegistrySettingsStore::get(const std::string& application, const std::string& section,
                                       const std::string& name, const std::string& fallback) {
    lastGetRead_ = true;
    try {
        const std::wstring path = keyPath(application, section);
        HeldUserKey* const heldKey = held(path);
        const auto value = heldKey ? heldKey->read(widen(name)) : readUserString(path, widen(name));
        return value ? narrow(*value) : fallback;
    } catch (const RegistryError& e) {
        lastGetRead_ = false;
        trouble_.note({e.key(), e.reason(), {}});
        return fallback;
    }
}

void RegistrySettingsStore::save(const std::string& application, const std::string& section,
                                 const std::string& name, const std::string& value) {
    try {
        const std::wstring path = keyPath(application, section);
        if (HeldUserKey* const heldKey = held(path))
            heldKey->write(widen(name), widen(value));
        else
            writeUserString(path, widen(name), widen(value));
    } catch (const RegistryError& e) {
        throw StoreWriteError(e.key(), e.reason());
    }
}

} // namespace tw
