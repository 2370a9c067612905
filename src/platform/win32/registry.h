#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tw {

// Reads a string value of a key under HKEY_CURRENT_USER; nothing when the key or the value
// is missing or holds no text. Throws std::runtime_error when the registry refuses the read.
std::optional<std::wstring> readUserString(const std::wstring& keyPath, const std::wstring& name);
// Writes a REG_SZ value, creating the key as needed; throws std::runtime_error on failure.
void writeUserString(const std::wstring& keyPath, const std::wstring& name,
                     const std::wstring& value);
// Deletes a value; a missing key or value is no failure. Throws std::runtime_error otherwise.
void deleteUserValue(const std::wstring& keyPath, const std::wstring& name);

// Reads a string value as readUserString does, under root (HKEY_CURRENT_USER or
// HKEY_LOCAL_MACHINE) in one registry view: 0 for the program's own, KEY_WOW64_32KEY or
// KEY_WOW64_64KEY for the 32- or 64-bit programs' one.
std::optional<std::wstring> readString(HKEY root, const std::wstring& keyPath,
                                       const std::wstring& name, REGSAM view = 0);

} // namespace tw
