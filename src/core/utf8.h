#pragma once

#include <cstddef>
#include <string>

namespace tw {

// The first count characters of a UTF-8 text (a character is a code point).
std::string firstCharacters(const std::string& utf8, std::size_t count);

} // namespace tw
