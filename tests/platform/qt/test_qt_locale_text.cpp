#include "platform/qt/qt_locale_text.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

// The fields of Every X are read through parseNumber every second: only plain numbers pass,
// with the locale's decimal mark or the point.
TEST(QtLocaleText, ReadsOnlyPlainNumbers) {
    for (const QLocale& where : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
        const QtLocaleText locale(where);
        EXPECT_EQ(locale.parseNumber("  12 "), 12.0);
        EXPECT_EQ(locale.parseNumber("-3"), -3.0);
        EXPECT_EQ(locale.parseNumber("+1.5"), 1.5);
        EXPECT_EQ(locale.parseNumber(where.language() == QLocale::German ? "1,5" : "1.5"), 1.5);
        EXPECT_EQ(locale.parseNumber(".5"), 0.5);
        EXPECT_EQ(locale.parseNumber("7."), 7.0);
        for (const char* wrong :
             {"", "-", ".", "+,", "1e3", "inf", "nan", "1.2.3", "1 000", "0x10", "12a", "--1"})
            EXPECT_FALSE(locale.parseNumber(wrong)) << wrong;
    }
}

// The long time form never shows the time zone, at its end or at its start.
TEST(QtLocaleText, LongTimeHasNoTimeZone) {
    for (const QLocale& where : {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates),
                                 QLocale(QLocale::German, QLocale::Germany),
                                 QLocale(QLocale::Korean, QLocale::SouthKorea)}) {
        const std::string text = QtLocaleText(where).longTime(13, 5, 9);
        EXPECT_NE(text.find('9'), std::string::npos) << text;
        EXPECT_EQ(text, QString::fromStdString(text).trimmed().toStdString()) << text;
        EXPECT_EQ(text.find("UTC"), std::string::npos) << text;
        EXPECT_EQ(text.find("GMT"), std::string::npos) << text;
    }
}

} // namespace
} // namespace tw
