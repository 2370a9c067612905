#include "frontend/win32/dpi.h"

namespace tw {

int pixels(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

HFONT arialBold(int centipoints, UINT dpi, bool roundDown) {
    // A negative height asks for the character height, which is what a point size means.
    const int height = roundDown ? -(centipoints * static_cast<int>(dpi) / 7200)
                                 : -MulDiv(centipoints, static_cast<int>(dpi), 7200);
    return CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, L"Arial");
}

} // namespace tw
