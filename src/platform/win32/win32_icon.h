#pragma once

#include "platform/picture.h"

#include <windows.h>

namespace tw {

// An icon handle handed around as a picture; the picture does not own the handle.
class Win32Icon : public Picture {
  public:
    explicit Win32Icon(HICON icon) : icon_(icon) {}
    PictureType type() const override { return PictureType::Icon; }
    HICON handle() const { return icon_; }

  private:
    HICON icon_;
};

// The program's icon (the executable's icon resource) at the size of the two system
// metrics given, e.g. SM_CXSMICON and SM_CYSMICON; null where the executable carries none.
HICON programIcon(int metricX, int metricY);

} // namespace tw
