#include "platform/win32/registry.h"

#include "platform/win32/wide_text.h"

namespace tw {

namespace {

class Key {
  public:
    explicit Key(HKEY key) : key_(key) {}
    ~Key() { RegCloseKey(key_); }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY get() const { return key_; }

  private:
    HKEY key_;
};

[[noreturn]] void fail(const std::string& what, const std::wstring& keyPath, LSTATUS status) {
    throw RegistryError(what, "HKEY_CURRENT_USER\\" + narrow(keyPath),
                        errorText(static_cast<unsigned long>(status)));
}

} // namespace

std::optional<std::wstring> readUserString(const std::wstring& keyPath, const std::wstring& name) {
    return readString(HKEY_CURRENT_USER, keyPath, name);
}

std::optional<std::wstring> readString(HKEY root, const std::wstring& keyPath,
                                       const std::wstring& name, REGSAM view) {
    const auto refused = [&](LSTATUS status) {
        if (root == HKEY_CURRENT_USER)
            fail("Cannot read the registry key", keyPath, status);
        throw std::runtime_error("Cannot read the registry key HKEY_LOCAL_MACHINE\\" +
                                 narrow(keyPath) + ": " +
                                 errorText(static_cast<unsigned long>(status)));
    };
    HKEY raw = nullptr;
    LSTATUS status = RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_QUERY_VALUE | view, &raw);
    if (status == ERROR_FILE_NOT_FOUND)
        return std::nullopt;
    if (status != ERROR_SUCCESS)
        refused(status);
    const Key key(raw);
    // The value may grow between the size query and the read: ask again until it fits.
    std::wstring buffer(64, L'\0');
    for (;;) {
        DWORD type = 0;
        DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        status = RegQueryValueExW(key.get(), name.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(buffer.data()), &bytes);
        if (status == ERROR_MORE_DATA) {
            buffer.resize(bytes / sizeof(wchar_t) + 1);
            continue;
        }
        if (status == ERROR_FILE_NOT_FOUND)
            return std::nullopt;
        if (status != ERROR_SUCCESS)
            refused(status);
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            return std::nullopt;
        // Stored text may or may not carry its terminating NUL.
        buffer.resize(bytes / sizeof(wchar_t));
        while (!buffer.empty() && buffer.back() == L'\0')
            buffer.pop_back();
        return buffer;
    }
}

void writeUserString(const std::wstring& keyPath, const std::wstring& name,
                     const std::wstring& value) {
    HKEY raw = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0,
                                     KEY_SET_VALUE, nullptr, &raw, nullptr);
    if (status != ERROR_SUCCESS)
        fail("Cannot write the registry key", keyPath, status);
    const Key key(raw);
    status = RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    if (status != ERROR_SUCCESS)
        fail("Cannot write the registry key", keyPath, status);
}

void deleteUserValue(const std::wstring& keyPath, const std::wstring& name) {
    HKEY raw = nullptr;
    LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_SET_VALUE, &raw);
    if (status == ERROR_FILE_NOT_FOUND)
        return;
    if (status != ERROR_SUCCESS)
        fail("Cannot change the registry key", keyPath, status);
    const Key key(raw);
    status = RegDeleteValueW(key.get(), name.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
        fail("Cannot change the registry key", keyPath, status);
}

} // namespace tw
