#pragma once

#include <string>

namespace tw {

class LocaleText;

// The failure texts of a stored value that does not fit its control.
inline constexpr const char* kTypeMismatch = "Type mismatch";
inline constexpr const char* kInvalidPropertyValue = "Invalid property value";
inline constexpr const char* kTextReadOnly = "'Text' property is read-only";

// The whole number nearest to the value, halves going to the even neighbour. Decided from
// the value alone, so neither the processor's rounding mode nor its register precision can
// move a half to the other side.
double roundHalfEven(double value);

// The stored text as a number; throws kTypeMismatch when it is none.
double storedNumber(const LocaleText& locale, const std::string& text);
// The stored text as a check box value 0 (clear), 1 (checked) or 2 (greyed), rounded to the
// nearest whole number (halves to even); throws for non-numbers and other values.
int storedCheckValue(const LocaleText& locale, const std::string& text);

} // namespace tw
