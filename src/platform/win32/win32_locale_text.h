#pragma once

#include "platform/locale_text.h"

namespace tw {

// Dates, times and numbers in the user's regional settings (GetDateFormatEx,
// GetTimeFormatEx, and the locale's own text-to-date and text-to-number conversions).
class Win32LocaleText : public LocaleText {
  public:
    std::string generalDate(const LocalDateTime& when) const override;
    std::string longTime(int hour, int minute, int second) const override;
    std::optional<LocalDateTime> parseDateTime(const std::string& text) const override;
    std::optional<double> parseNumber(const std::string& text) const override;
    std::string upper(const std::string& text) const override;
};

} // namespace tw
