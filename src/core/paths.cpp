#include "core/paths.h"

namespace tw {

std::string fileNameOf(const std::string& path, const char* separators) {
    const auto slash = path.find_last_of(separators);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace tw
