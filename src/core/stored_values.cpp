#include "core/stored_values.h"

#include "platform/locale_text.h"

#include <cmath>
#include <stdexcept>

namespace tw {

double storedNumber(const LocaleText& locale, const std::string& text) {
    const auto number = locale.parseNumber(text);
    if (!number)
        throw std::runtime_error(kTypeMismatch);
    return *number;
}

int storedCheckValue(const LocaleText& locale, const std::string& text) {
    const double rounded = std::nearbyint(storedNumber(locale, text));
    if (rounded < 0 || rounded > 2)
        throw std::runtime_error(kInvalidPropertyValue);
    return static_cast<int>(rounded);
}

} // namespace tw
