#pragma once

#include <string>

namespace tw {

// What the main window's start-up and shutdown need of the tray icon control.
class TrayIconControl {
  public:
    virtual ~TrayIconControl() = default;
    virtual void setTrayTip(const std::string& tip) = 0;
    virtual std::string trayTip() const = 0;
    // Shows (true) or removes (false) the icon; setting the current value does nothing.
    virtual void setInTray(bool inTray) = 0;
    virtual bool inTray() const = 0;
};

} // namespace tw
