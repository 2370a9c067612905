#pragma once

#include "core/product.h"

#include <cstdint>
#include <functional>
#include <string>

namespace tw {

class TrayIcon;

// The main window as hiding to and restoring from the tray moves it.
class TrayWindow {
  public:
    virtual ~TrayWindow() = default;
    virtual bool isMinimised() const = 0;
    // Takes the window off the screen and the taskbar.
    virtual void hide() = 0;
    // Gives the window back its normal size and place without showing it.
    virtual void setNormalState() = 0;
    // Shows the window, not minimised, in front and with the focus.
    virtual void showAndActivate() = 0;
};

// The balloon shown the first time the window goes to the tray.
inline constexpr const char* kTrayBalloonTitle = kProductTitle;
inline constexpr const char* kTrayBalloonText =
    "has been minimized to the system tray.\r\nClick on the blue 'Q' icon (Q for Quillmark) to "
    "bring the software back.";
inline constexpr int kTrayBalloonSeconds = 5;

// Minimising hides the main window in the tray; releasing a mouse button on the tray icon
// brings it back. Where no tray runs, minimising stays an ordinary minimise (the window must
// stay reachable) until a tray appears.
class TrayBehaviour {
  public:
    // trayRunning tells whether a notification area runs to hold the icon.
    TrayBehaviour(TrayWindow& window, TrayIcon& tray, std::function<bool()> trayRunning);

    // The window's size state changed.
    void windowStateChanged();
    // A mouse button was released on the tray icon.
    void iconClicked(std::int16_t button, std::int32_t id);
    // Shows the window in front with the focus, wherever it was (hidden in the tray, minimised
    // or behind others): the tray icon's click, and another start of the program.
    void bringBack();
    // To be called now and then while waitingForTray(): hides the window once a tray runs.
    void lookForTray();

    bool isHiddenInTray() const { return hiddenInTray_; }
    // The window was minimised while no tray ran and waits to go there.
    bool waitingForTray() const { return waitingForTray_; }

  private:
    TrayWindow& window_;
    TrayIcon& tray_;
    std::function<bool()> trayRunning_;
    bool hiddenInTray_ = false;
    bool waitingForTray_ = false;
};

} // namespace tw
