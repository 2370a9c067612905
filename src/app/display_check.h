#pragma once

#include <string>

namespace tw {

// Why the program cannot show its window here, or "" when a display is within reach. Qt
// aborts without one; this lets the program say what it needs and exit instead.
std::string displayProblem();

} // namespace tw
