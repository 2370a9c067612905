#pragma once

#include "platform/notifier.h"

namespace tw {

class Win32TrayHost;

// Notifications as balloons at the program's own icon in the notification area: where
// Windows 10 and later show them as toasts, and Wine's tray shows them too.
class BalloonNotifier : public Notifier {
  public:
    explicit BalloonNotifier(Win32TrayHost& tray) : tray_(tray) {}
    bool notify(const std::string& title, const std::string& body) override;

  private:
    Win32TrayHost& tray_;
};

} // namespace tw
