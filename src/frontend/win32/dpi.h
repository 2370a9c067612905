#pragma once

#include <windows.h>

namespace tw {

// The layout is designed in twips at 15 twips per pixel on a 96-dpi screen; every length
// is scaled by the dpi of the monitor the window is on.
inline constexpr UINT kDesignDpi = 96;
int pixels(int twips, UINT dpi);

// An Arial bold font of the given size in hundredths of a point, for that dpi; its pixel
// height rounded to the nearest, or down.
HFONT arialBold(int centipoints, UINT dpi, bool roundDown = false);

} // namespace tw
