#pragma once

#include <string>

namespace tw {

// UTF-8 (the shared code's text) to UTF-16 (the wide Windows API) and back; invalid
// sequences become U+FFFD instead of failing.
std::wstring widen(const std::string& text);
std::string narrow(const std::wstring& text);
std::string narrow(const wchar_t* text, std::size_t length);

// The system's description of a Windows error code, without the trailing line break.
std::string errorText(unsigned long code);

} // namespace tw
