#pragma once

#include "platform/notifier.h"

namespace tw {

// Notifications through the desktop's notification service (org.freedesktop.Notifications
// on the session bus), which the running desktop (or a daemon such as dunst) draws.
class DesktopNotifier : public Notifier {
  public:
    bool notify(const std::string& title, const std::string& body) override;
};

} // namespace tw
