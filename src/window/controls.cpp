#include "window/controls.h"

namespace tw {

void ControlEvent::raise() const {
    if (handler_)
        handler_();
}

} // namespace tw
