#pragma once

#include "platform/locale_text.h"

#include <cctype>
#include <cstdio>
#include <regex>

namespace tw::test {

// United States forms: 12/7/2026 1:56:04 PM; '.' as the decimal mark; ASCII upper-casing.
class FakeLocaleText : public LocaleText {
  public:
    std::string generalDate(const LocalDateTime& w) const override {
        std::string text =
            std::to_string(w.month) + "/" + std::to_string(w.day) + "/" + std::to_string(w.year);
        if (w.secondOfDay() != 0)
            text += " " + longTime(w.hour, w.minute, w.second);
        return text;
    }
    std::string longTime(int h, int m, int s) const override {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%d:%02d:%02d %s", h % 12 == 0 ? 12 : h % 12, m, s,
                      h < 12 ? "AM" : "PM");
        return buf;
    }
    std::optional<LocalDateTime> parseDateTime(const std::string& text) const override {
        static const std::regex form(
            R"(^(?:(\d{1,2})/(\d{1,2})/(\d{4}))? ?(?:(\d{1,2}):(\d{2}):(\d{2}) (AM|PM))?$)");
        std::smatch m;
        if (text.empty() || !std::regex_match(text, m, form) || (!m[1].matched && !m[4].matched))
            return std::nullopt;
        LocalDateTime r;
        if (m[1].matched)
            r = {std::stoi(m[3]), std::stoi(m[1]), std::stoi(m[2]), 0, 0, 0};
        if (m[4].matched) {
            const int h = std::stoi(m[4]);
            if (h < 1 || h > 12)
                return std::nullopt;
            r.hour = h % 12 + (m[7] == "PM" ? 12 : 0);
            r.minute = std::stoi(m[5]);
            r.second = std::stoi(m[6]);
            if (r.minute > 59 || r.second > 59)
                return std::nullopt;
        }
        return r;
    }
    std::optional<double> parseNumber(const std::string& text) const override {
        static const std::regex number(R"(^\s*[+-]?(\d+(\.\d*)?|\.\d+)\s*$)");
        if (!std::regex_match(text, number))
            return std::nullopt;
        return std::stod(text);
    }
    std::string upper(const std::string& text) const override {
        std::string out = text;
        for (auto& c : out)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return out;
    }
};

} // namespace tw::test
