#include "tray/tray_behaviour.h"

#include "tray/tray_icon.h"

namespace tw {

TrayBehaviour::TrayBehaviour(TrayWindow& window, TrayIcon& tray, std::function<bool()> trayRunning)
    : window_(window), tray_(tray), trayRunning_(std::move(trayRunning)) {}

void TrayBehaviour::windowStateChanged() {
    if (!window_.isMinimised() || hiddenInTray_)
        return;
    if (!trayRunning_()) {
        waitingForTray_ = true;
        return;
    }
    waitingForTray_ = false;
    window_.hide();
    window_.setNormalState();
    hiddenInTray_ = true;
    tray_.showBalloon(kTrayBalloonText, kTrayBalloonTitle, kTrayBalloonSeconds, true);
}

void TrayBehaviour::iconClicked(std::int16_t, std::int32_t) {
    bringBack();
}

void TrayBehaviour::bringBack() {
    window_.showAndActivate();
    hiddenInTray_ = false;
}

void TrayBehaviour::lookForTray() {
    if (!waitingForTray_)
        return;
    if (!window_.isMinimised()) { // brought back from the taskbar meanwhile
        waitingForTray_ = false;
        return;
    }
    if (trayRunning_())
        windowStateChanged();
}

} // namespace tw
