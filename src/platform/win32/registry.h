#pragma once

#include <windows.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace tw {

// The registry refused a read or a write: which key, and the system's reason.
class RegistryError : public std::runtime_error {
  public:
    RegistryError(const std::string& what, std::string key, std::string reason)
        : std::runtime_error(what + " " + key + ": " + reason), key_(std::move(key)),
          reason_(std::move(reason)) {}
    // The key's full name, beginning with HKEY_CURRENT_USER.
    const std::string& key() const { return key_; }
    const std::string& reason() const { return reason_; }

  private:
    std::string key_;
    std::string reason_;
};

// Reads a string value of a key under HKEY_CURRENT_USER; nothing when the key or the value
// is missing or holds no text. Throws RegistryError when the registry refuses the read.
std::optional<std::wstring> readUserString(const std::wstring& keyPath, const std::wstring& name);
// Writes a REG_SZ value, creating the key as needed; throws RegistryError on failure.
void writeUserString(const std::wstring& keyPath, const std::wstring& name,
                     const std::wstring& value);
// Deletes a value; a missing key or value is no failure. Throws RegistryError otherwise.
void deleteUserValue(const std::wstring& keyPath, const std::wstring& name);

// A key under HKEY_CURRENT_USER held open for a run of string reads and writes, one open
// instead of one a call. Reads and writes answer as readUserString and writeUserString do; a
// key deleted meanwhile is opened afresh, as a new open would find it. Who may read or write
// the key is checked when it is opened, so hold it only for calls milliseconds apart.
class HeldUserKey {
  public:
    explicit HeldUserKey(std::wstring keyPath) : keyPath_(std::move(keyPath)) {}
    ~HeldUserKey();
    HeldUserKey(const HeldUserKey&) = delete;
    HeldUserKey& operator=(const HeldUserKey&) = delete;

    const std::wstring& path() const { return keyPath_; }
    std::optional<std::wstring> read(const std::wstring& name);
    void write(const std::wstring& name, const std::wstring& value);

  private:
    LSTATUS open(bool create);
    void close();

    std::wstring keyPath_;
    HKEY key_ = nullptr;
};

// Reads a string value as readUserString does, under root (HKEY_CURRENT_USER or
// HKEY_LOCAL_MACHINE) in one registry view: 0 for the program's own, KEY_WOW64_32KEY or
// KEY_WOW64_64KEY for the 32- or 64-bit programs' one.
std::optional<std::wstring> readString(HKEY root, const std::wstring& keyPath,
                                       const std::wstring& name, REGSAM view = 0);

} // namespace tw
