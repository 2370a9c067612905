#pragma once

#include "platform/locale_text.h"

#include <QLocale>

namespace tw {

// Regional forms of the user's locale (LANG, LC_TIME, LC_NUMERIC) through QLocale.
class QtLocaleText : public LocaleText {
  public:
    explicit QtLocaleText(QLocale locale = QLocale::system());

    std::string generalDate(const LocalDateTime& when) const override;
    std::string longTime(int hour, int minute, int second) const override;
    std::optional<LocalDateTime> parseDateTime(const std::string& text) const override;
    std::optional<double> parseNumber(const std::string& text) const override;
    std::string upper(const std::string& text) const override;

  private:
    QLocale locale_;
    QString longTimeFormat_;
    QString shortDateFormat_;
};

} // namespace tw
