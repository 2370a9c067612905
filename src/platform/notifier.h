#pragma once

#include <string>

namespace tw {

// Desktop notifications: a short message shown outside the program's window, for what the
// user should hear about while the window is out of sight.
class Notifier {
  public:
    virtual ~Notifier() = default;
    // Shows one notification with a title and a body (lines separated by "\n"); false when
    // the desktop could not take it (no notification service, no icon to show it at).
    virtual bool notify(const std::string& title, const std::string& body) = 0;
};

} // namespace tw
