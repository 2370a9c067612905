#include "tray/start_with_session.h"

#include "core/product.h"
#include "platform/autostart.h"
#include "platform/dialogs.h"
#include "settings/settings.h"
#include "settings/settings_keys.h"

#include <stdexcept>

namespace tw {

StartWithSession::StartWithSession(StartupBoxes& boxes, Settings& settings, Autostart& autostart,
                                   Dialogs& dialogs, std::function<bool()> isLoading)
    : boxes_(boxes), settings_(settings), autostart_(autostart), dialogs_(dialogs),
      isLoading_(std::move(isLoading)) {}

void StartWithSession::withSessionClicked() {
    // Restoring the box at start-up must not rewrite the entry.
    if (isLoading_())
        return;
    if (boxes_.startWithSession()) {
        boxes_.setStartInTrayVisible(true);
        settings_.save(keys::kWindowsStartup, "On");
        // A box left checked with nothing registered would promise a start that never
        // comes; clearing it runs the "off" branch below.
        if (!registerStartup())
            boxes_.setStartWithSession(false);
    } else {
        boxes_.setStartInTray(false);
        boxes_.setStartInTrayVisible(false);
        settings_.save(keys::kWindowsStartup, "Off");
        unregisterStartup();
    }
}

void StartWithSession::inTrayClicked() {
    settings_.save(keys::kMinimized, boxes_.startInTray() ? "On" : "Off");
}

bool StartWithSession::registerStartup() {
    try {
        const std::string name = autostart_.executableName();
        if (name.empty())
            throw std::runtime_error("The program's executable file could not be found.");
        autostart_.add(name);
        return true;
    } catch (const std::exception& e) {
        tellUser("Tidewell could not be set to start when you log in.", e.what());
    }
    return false;
}

bool StartWithSession::unregisterStartup() {
    try {
        const std::string name = autostart_.executableName();
        if (!name.empty())
            autostart_.remove(name);
        return true;
    } catch (const std::exception& e) {
        tellUser("Tidewell could not stop starting when you log in.", e.what());
    }
    return false;
}

void StartWithSession::tellUser(const std::string& what, const std::string& why) {
    dialogs_.messageBox(what + "\r\n\r\n" + why, kProductTitle, Buttons::Ok, Icon::Warning);
}

} // namespace tw
