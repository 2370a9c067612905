#pragma once

#include "platform/picture.h"

#include <functional>
#include <string>

namespace tw {

// What the notification area reports about one icon.
enum class TrayNotification {
    MouseMove,
    LeftDown,
    LeftUp,
    LeftDblClick,
    RightDown,
    RightUp,
    RightDblClick,
    BalloonShown,
    BalloonHidden,
    BalloonTimedOut,
    BalloonClicked,
};

// One icon in the platform's notification area, driven by a tray icon control.
class TrayHost {
  public:
    virtual ~TrayHost() = default;
    // Whether a notification area runs to take the icon.
    virtual bool areaRunning() const = 0;
    // Puts the icon into the notification area; icon may be null and tip empty (none).
    virtual void add(const Picture* icon, const std::string& tip) = 0;
    // Takes the icon out of the notification area, with any balloon it shows.
    virtual void remove() = 0;
    // Changes the icon while it is shown.
    virtual void setIcon(const Picture& icon) = 0;
    // Changes the tooltip while the icon is shown.
    virtual void setTip(const std::string& tip) = 0;
    // Shows a balloon at the icon; timeoutMs 0 leaves its duration to the platform.
    virtual void showBalloon(const std::string& text, const std::string& title, int timeoutMs) = 0;
    // Takes away the balloon shown at the icon, if any.
    virtual void removeBalloon() = 0;
    // Where the host delivers what happens at the icon and its balloon.
    virtual void setReceiver(std::function<void(TrayNotification)> receiver) = 0;
};

} // namespace tw
