#pragma once

#include <string>

namespace tw::win32 {

// The shared code speaks UTF-8; Windows' W calls speak UTF-16.
std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& utf16);

} // namespace tw::win32
