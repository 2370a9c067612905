#include "platform/win32/win32_icon.h"

#include "platform/win32/resource_ids.h"

namespace tw {

HICON programIcon(int metricX, int metricY) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TIDEWELL),
                                         IMAGE_ICON, GetSystemMetrics(metricX),
                                         GetSystemMetrics(metricY), LR_SHARED));
}

} // namespace tw
