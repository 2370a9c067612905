#pragma once

#include <array>

namespace tw {

// The English names of the days of the week, Sunday first, as the day list shows and stores
// them.
inline constexpr std::array<const char*, 7> kDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                      "Thursday", "Friday", "Saturday"};

} // namespace tw
