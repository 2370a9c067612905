#include "platform/qt/qt_locale_text.h"

#include <QDateTime>
#include <cmath>

namespace tw {

namespace {

// Qt's long time form ends in the time zone ("t"), which the general date form never shows.
// Plain scans rather than regular expressions, which would load and compile a regex engine.
QString withoutTimeZone(QString format) {
    format = format.trimmed();
    qsizetype end = format.size();
    while (end > 0 && format[end - 1] == QLatin1Char('t'))
        --end;
    if (end < format.size())
        format.truncate(end);
    format = format.trimmed();
    qsizetype start = 0;
    while (start < format.size() && format[start] == QLatin1Char('t'))
        ++start;
    return format.mid(start).trimmed();
}

qsizetype skipDigits(const QString& text, qsizetype at) {
    while (at < text.size() && text[at].isDigit())
        ++at;
    return at;
}

// Only sign, digits and the decimal part: no exponents, no infinities, no group marks.
bool hasNumberShape(const QString& text) {
    qsizetype at = 0;
    if (at < text.size() && (text[at] == QLatin1Char('+') || text[at] == QLatin1Char('-')))
        ++at;
    const qsizetype whole = skipDigits(text, at);
    const bool hasWhole = whole > at;
    at = whole;
    if (at < text.size() && (text[at] == QLatin1Char('.') || text[at] == QLatin1Char(','))) {
        const qsizetype fraction = skipDigits(text, at + 1);
        if (!hasWhole && fraction == at + 1)
            return false;
        at = fraction;
    } else if (!hasWhole) {
        return false;
    }
    return at == text.size();
}

LocalDateTime fromQt(const QDate& date, const QTime& time) {
    LocalDateTime result;
    if (date.isValid()) {
        result.year = date.year();
        result.month = date.month();
        result.day = date.day();
    }
    result.hour = time.hour();
    result.minute = time.minute();
    result.second = time.second();
    return result;
}

} // namespace

QtLocaleText::QtLocaleText(QLocale locale)
    : locale_(std::move(locale)),
      longTimeFormat_(withoutTimeZone(locale_.timeFormat(QLocale::LongFormat))),
      shortDateFormat_(locale_.dateFormat(QLocale::ShortFormat)) {}

std::string QtLocaleText::generalDate(const LocalDateTime& when) const {
    const QDate date(when.year, when.month, when.day);
    QString text = locale_.toString(date, shortDateFormat_);
    if (when.secondOfDay() != 0)
        text += QLatin1Char(' ') +
                locale_.toString(QTime(when.hour, when.minute, when.second), longTimeFormat_);
    return text.toStdString();
}

std::string QtLocaleText::longTime(int hour, int minute, int second) const {
    return locale_.toString(QTime(hour, minute, second), longTimeFormat_).toStdString();
}

std::optional<LocalDateTime> QtLocaleText::parseDateTime(const std::string& input) const {
    const QString text = QString::fromStdString(input).simplified();
    if (text.isEmpty())
        return std::nullopt;
    const QString generalFormat = shortDateFormat_ + QLatin1Char(' ') + longTimeFormat_;
    const QString shortTime = withoutTimeZone(locale_.timeFormat(QLocale::ShortFormat));

    const QDateTime general = locale_.toDateTime(text, generalFormat);
    if (general.isValid())
        return fromQt(general.date(), general.time());
    for (const QString& format : {longTimeFormat_, shortTime}) {
        const QTime time = locale_.toTime(text, format);
        if (time.isValid())
            return fromQt(QDate(), time);
    }
    const QDate date = locale_.toDate(text, shortDateFormat_);
    if (date.isValid())
        return fromQt(date, QTime(0, 0, 0));
    // Values written under another locale or by hand: ISO forms are always understood.
    const QDateTime iso = QDateTime::fromString(text, Qt::ISODate);
    if (iso.isValid())
        return fromQt(iso.date(), iso.time());
    for (const char* format : {"HH:mm:ss", "H:mm:ss", "HH:mm", "H:mm"}) {
        const QTime time = QTime::fromString(text, QLatin1String(format));
        if (time.isValid())
            return fromQt(QDate(), time);
    }
    return std::nullopt;
}

std::optional<double> QtLocaleText::parseNumber(const std::string& input) const {
    const QString text = QString::fromStdString(input).trimmed();
    if (!hasNumberShape(text))
        return std::nullopt;
    bool ok = false;
    double value = locale_.toDouble(text, &ok);
    if (!ok)
        value = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string QtLocaleText::upper(const std::string& text) const {
    return QString::fromStdString(text).toUpper().toStdString();
}

} // namespace tw
