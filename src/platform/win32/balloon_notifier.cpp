#include "platform/win32/balloon_notifier.h"

#include "platform/win32/win32_tray_host.h"

namespace tw {

bool BalloonNotifier::notify(const std::string& title, const std::string& body) {
    // The balloon's lines are broken as a message box's are.
    std::string text;
    for (const char c : body) {
        if (c == '\n')
            text += '\r';
        text += c;
    }
    return tray_.showWarningBalloon(text, title);
}

} // namespace tw
