#pragma once

#include "platform/clock.h"

#include <optional>
#include <string>

namespace tw {

// Text conversions that follow the user's regional settings.
class LocaleText {
  public:
    virtual ~LocaleText() = default;
    // Short date, one blank, long time (no time-zone suffix); the date alone at 00:00:00.
    virtual std::string generalDate(const LocalDateTime& when) const = 0;
    // The time of day alone in the long time form.
    virtual std::string longTime(int hour, int minute, int second) const = 0;
    // A date and/or time written in the user's forms (general date, long or short time);
    // nothing when the text is neither. A time alone keeps the default date of LocalDateTime.
    virtual std::optional<LocalDateTime> parseDateTime(const std::string& text) const = 0;
    // An optional sign, digits and an optional decimal part in the user's number format;
    // nothing for any other text, the empty text included.
    virtual std::optional<double> parseNumber(const std::string& text) const = 0;
    // Unicode-aware upper-casing, used before names are compared.
    virtual std::string upper(const std::string& text) const = 0;
};

} // namespace tw
