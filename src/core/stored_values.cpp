#include "core/stored_values.h"

#include "platform/locale_text.h"

#include <cmath>
#include <stdexcept>

namespace tw {

double roundHalfEven(double value) {
    const double below = std::floor(value);
    // Exact wherever it can decide a half: below and value are less than one apart.
    const double fraction = value - below;
    if (fraction > 0.5)
        return below + 1.0;
    if (fraction < 0.5)
        return below;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

double storedNumber(const LocaleText& locale, const std::string& text) {
    const auto number = locale.parseNumber(text);
    if (!number)
        throw std::runtime_error(kTypeMismatch);
    return *number;
}

int storedCheckValue(const LocaleText& locale, const std::string& text) {
    const double rounded = roundHalfEven(storedNumber(locale, text));
    if (rounded < 0 || rounded > 2)
        throw std::runtime_error(kInvalidPropertyValue);
    return static_cast<int>(rounded);
}

} // namespace tw
