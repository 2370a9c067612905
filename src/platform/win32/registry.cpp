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

// The text of a string value: ERROR_SUCCESS with nothing when the value is missing or holds
// no text, the registry's refusal otherwise.
LSTATUS queryString(HKEY key, const std::wstring& name, std::optional<std::wstring>& value) {
    value.reset();
    // The value may grow between the size query and the read: ask again until it fits.
    std::wstring buffer(64, L'\0');
    for (;;) {
        DWORD type = 0;
        DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        const LSTATUS status = RegQueryValueExW(key, name.c_str(), nullptr, &type,
                                                reinterpret_cast<BYTE*>(buffer.data()), &bytes);
        if (status == ERROR_MORE_DATA) {
            buffer.resize(bytes / sizeof(wchar_t) + 1);
            continue;
        }
        if (status == ERROR_FILE_NOT_FOUND)
            return ERROR_SUCCESS;
        if (status != ERROR_SUCCESS)
            return status;
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            return ERROR_SUCCESS;
        // Stored text may or may not carry its terminating NUL.
        buffer.resize(bytes / sizeof(wchar_t));
        while (!buffer.empty() && buffer.back() == L'\0')
            buffer.pop_back();
        value = std::move(buffer);
        return ERROR_SUCCESS;
    }
}

LSTATUS setString(HKEY key, const std::wstring& name, const std::wstring& value) {
    return RegSetValueExW(key, name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
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
    std::optional<std::wstring> value;
    status = queryString(key.get(), name, value);
    if (status != ERROR_SUCCESS)
        refused(status);
    return value;
}

void writeUserString(const std::wstring& keyPath, const std::wstring& name,
                     const std::wstring& value) {
    HKEY raw = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0,
                                     KEY_SET_VALUE, nullptr, &raw, nullptr);
    if (status != ERROR_SUCCESS)
        fail("Cannot write the registry key", keyPath, status);
    const Key key(raw);
    status = setString(key.get(), name, value);
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

HeldUserKey::~HeldUserKey() {
    close();
}

void HeldUserKey::close() {
    if (key_)
        RegCloseKey(key_);
    key_ = nullptr;
}

// Opened for both reading and writing; a key the user may only read is not held, and each
// call then goes its own way as it would without holding.
LSTATUS HeldUserKey::open(bool create) {
    if (key_)
        return ERROR_SUCCESS;
    const REGSAM access = KEY_QUERY_VALUE | KEY_SET_VALUE;
    const LSTATUS status =
        create ? RegCreateKeyExW(HKEY_CURRENT_USER, keyPath_.c_str(), 0, nullptr, 0, access,
                                 nullptr, &key_, nullptr)
               : RegOpenKeyExW(HKEY_CURRENT_USER, keyPath_.c_str(), 0, access, &key_);
    if (status != ERROR_SUCCESS)
        key_ = nullptr;
    return status;
}

// Whatever the held key cannot do (deleted meanwhile, say) is let go and done by a fresh open,
// which also reports a refusal as the calls without holding do; the next call holds anew.
std::optional<std::wstring> HeldUserKey::read(const std::wstring& name) {
    const LSTATUS opened = open(false);
    if (opened == ERROR_FILE_NOT_FOUND)
        return std::nullopt;
    if (opened == ERROR_SUCCESS) {
        std::optional<std::wstring> value;
        if (queryString(key_, name, value) == ERROR_SUCCESS)
            return value;
        close();
    }
    return readUserString(keyPath_, name);
}

void HeldUserKey::write(const std::wstring& name, const std::wstring& value) {
    if (open(true) == ERROR_SUCCESS) {
        if (setString(key_, name, value) == ERROR_SUCCESS)
            return;
        close();
    }
    writeUserString(keyPath_, name, value);
}

} // namespace tw
