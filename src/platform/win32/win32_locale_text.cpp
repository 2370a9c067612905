#include "platform/win32/win32_locale_text.h"

#include "platform/win32/system_function.h"
#include "platform/win32/wide_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cwctype>

// <windows.h> first: the other Windows headers build on its definitions.
// clang-format off
#include <windows.h>
#include <oleauto.h>
// clang-format on

namespace tw {

namespace {

SYSTEMTIME systemTime(int year, int month, int day, int hour, int minute, int second) {
    SYSTEMTIME t{};
    t.wYear = static_cast<WORD>(year);
    t.wMonth = static_cast<WORD>(month);
    t.wDay = static_cast<WORD>(day);
    t.wHour = static_cast<WORD>(hour);
    t.wMinute = static_cast<WORD>(minute);
    t.wSecond = static_cast<WORD>(second);
    return t;
}

std::string shortDate(const SYSTEMTIME& t) {
    wchar_t buffer[128];
    const int length = GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr,
                                       buffer, 128, nullptr);
    return length > 0 ? narrow(buffer, static_cast<std::size_t>(length - 1)) : std::string();
}

std::string longTimeOf(const SYSTEMTIME& t) {
    wchar_t buffer[128];
    const int length = GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &t, nullptr, buffer, 128);
    return length > 0 ? narrow(buffer, static_cast<std::size_t>(length - 1)) : std::string();
}

std::wstring decimalSeparator() {
    wchar_t buffer[8];
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8);
    return length > 1 ? std::wstring(buffer, static_cast<std::size_t>(length - 1)) : L".";
}

// An optional sign, digits and an optional decimal part after `separator`.
bool isPlainNumber(const std::wstring& text, const std::wstring& separator) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        ++i;
    std::size_t digits = 0;
    while (i < text.size() && std::iswdigit(text[i]) && text[i] < 128)
        ++i, ++digits;
    if (i < text.size() && text.compare(i, separator.size(), separator) == 0) {
        i += separator.size();
        while (i < text.size() && std::iswdigit(text[i]) && text[i] < 128)
            ++i, ++digits;
    }
    return digits > 0 && i == text.size();
}

std::wstring trimmed(const std::wstring& text) {
    const auto first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos)
        return {};
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

// The value of a text isPlainNumber accepted, read here: the locale's conversion would read
// it the same, and loading it (oleaut32, which brings the COM runtime) costs every start
// milliseconds. Nothing where the digits are too many for a double.
std::optional<double> plainNumberValue(const std::wstring& text, const std::wstring& separator) {
    std::string ascii;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, separator.size(), separator) == 0) {
            ascii += '.';
            i += separator.size() - 1;
        } else if (text[i] != L'+') {
            ascii += static_cast<char>(text[i]);
        }
    }
    double value = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error != std::errc() || end != ascii.data() + ascii.size())
        return std::nullopt;
    return value;
}

// A time alone as longTime writes it, the way every stored time is written, read without the
// locale's text-to-date conversion (see plainNumberValue): its numbers taken as hour, minute
// and second, accepted only where longTime writes that time as this very text. Nothing
// for any other text, which the conversion then reads.
std::optional<LocalDateTime> ownTimeOfDay(const std::wstring& text, const LocaleText& locale) {
    std::array<int, 3> numbers{};
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] < L'0' || text[i] > L'9') {
            ++i;
            continue;
        }
        if (count == numbers.size())
            return std::nullopt;
        int value = 0;
        for (std::size_t digits = 0; i < text.size() && text[i] >= L'0' && text[i] <= L'9';
             ++i, ++digits) {
            if (digits == 2)
                return std::nullopt;
            value = value * 10 + (text[i] - L'0');
        }
        numbers[count++] = value;
    }
    if (count < 2 || numbers[1] > 59 || numbers[2] > 59)
        return std::nullopt;
    const std::string written = narrow(text);
    // On a 12-hour clock the hour as written stands for two hours of the day.
    for (const int hour : {numbers[0], numbers[0] % 12, numbers[0] % 12 + 12})
        if (hour < 24 && locale.longTime(hour, numbers[1], numbers[2]) == written)
            return LocalDateTime{1899, 12, 30, hour, numbers[1], numbers[2]};
    return std::nullopt;
}

} // namespace

std::string Win32LocaleText::generalDate(const LocalDateTime& when) const {
    const SYSTEMTIME t =
        systemTime(when.year, when.month, when.day, when.hour, when.minute, when.second);
    std::string text = shortDate(t);
    if (when.secondOfDay() != 0)
        text += " " + longTimeOf(t);
    return text;
}

std::string Win32LocaleText::longTime(int hour, int minute, int second) const {
    return longTimeOf(systemTime(2000, 1, 1, hour, minute, second));
}

std::optional<LocalDateTime> Win32LocaleText::parseDateTime(const std::string& input) const {
    std::wstring text = trimmed(widen(input));
    if (text.empty())
        return std::nullopt;
    if (const auto time = ownTimeOfDay(text, *this))
        return time;
    // The same conversion a program's text-to-date built-in uses: the user's date order and
    // time forms; a time alone lands on day 0 (30 December 1899).
    static const auto dateFromText = TW_SYSTEM_FUNCTION(L"oleaut32.dll", VarDateFromStr);
    static const auto dateToSystemTime =
        TW_SYSTEM_FUNCTION(L"oleaut32.dll", VariantTimeToSystemTime);
    DATE date = 0;
    if (!dateFromText || FAILED(dateFromText(text.data(), LOCALE_USER_DEFAULT, 0, &date)))
        return std::nullopt;
    SYSTEMTIME t{};
    if (!dateToSystemTime || !dateToSystemTime(date, &t))
        return std::nullopt;
    return LocalDateTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

std::optional<double> Win32LocaleText::parseNumber(const std::string& input) const {
    std::wstring text = trimmed(widen(input));
    const std::wstring separator = decimalSeparator();
    // The user's separator, or a point written under another locale or by hand.
    LCID locale = LOCALE_USER_DEFAULT;
    if (!isPlainNumber(text, separator)) {
        if (separator == L"." || !isPlainNumber(text, L"."))
            return std::nullopt;
        locale = LOCALE_INVARIANT;
    }
    if (const auto value = plainNumberValue(text, locale == LOCALE_INVARIANT ? L"." : separator))
        return std::isfinite(*value) ? value : std::nullopt;
    static const auto numberFromText = TW_SYSTEM_FUNCTION(L"oleaut32.dll", VarR8FromStr);
    double value = 0;
    if (!numberFromText || FAILED(numberFromText(text.data(), locale, 0, &value)) ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string Win32LocaleText::upper(const std::string& text) const {
    const std::wstring wide = widen(text);
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const int length =
        LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_UPPERCASE | LCMAP_LINGUISTIC_CASING,
                      wide.data(), size, nullptr, 0, nullptr, nullptr, 0);
    std::wstring result(static_cast<std::size_t>(length), L'\0');
    LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_UPPERCASE | LCMAP_LINGUISTIC_CASING, wide.data(),
                  size, result.data(), length, nullptr, nullptr, 0);
    return narrow(result);
}

} // namespace tw
