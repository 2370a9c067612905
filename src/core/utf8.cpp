#include "core/utf8.h"

namespace tw {

std::string firstCharacters(const std::string& utf8, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t chars = 0; pos < utf8.size() && chars < count; ++chars) {
        ++pos;
        // Continuation bytes belong to the character just started.
        while (pos < utf8.size() && (static_cast<unsigned char>(utf8[pos]) & 0xC0) == 0x80)
            ++pos;
    }
    return utf8.substr(0, pos);
}

} // namespace tw
