#pragma once

#include <string>

namespace tw {

// The file name of a path: the text after its last folder separator, any of `separators`
// ("\" separates folders on Windows and in paths written that way; on Linux it is a
// character a file name may hold, so Linux callers pass "/").
std::string fileNameOf(const std::string& path, const char* separators = "/\\");

} // namespace tw
