#include "tray/start_with_session.h"

#include "core/product.h"
#include "platform/autostart.h"
#include "platform/dialogs.h"
#include "settings/settings.h"
#include "settings/settings_keys.h"

#include <stdexcept>

namespace tw {

namespace {

// The machine-wide entry last told about ("" for none).
constexpr const char* kMachineWideEntryTold = "Machine Startup Entry Told";

} // namespace

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

void StartWithSession::checkAtStartUp() {
    // A failure is told like one of a click; the choice stays "On", so the next start tries
    // again.
    if (settings_.get(keys::kWindowsStartup, "Off") == "On")
        registerStartup(true);
    tellOfMachineWideEntry();
}

bool StartWithSession::registerStartup(bool onlyIfWrong) {
    try {
        const std::string name = autostart_.executableName();
        if (name.empty())
            throw std::runtime_error("The program's executable file could not be found.");
        if (onlyIfWrong && autostart_.startsThisProgram(name))
            return true;
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

void StartWithSession::tellOfMachineWideEntry() {
    std::optional<MachineWideEntry> entry;
    try {
        const std::string name = autostart_.executableName();
        if (!name.empty())
            entry = autostart_.machineWideEntry(name);
    } catch (const std::exception&) {
        return; // only a notice: a key we may not read is no reason for a box at every start
    }
    // Told once per entry: what was told is kept in the user's settings, the program's only
    // memory across starts (and one per user, as the notice is). A changed entry is told
    // again, and one removed and later put back too.
    const std::string told =
        entry ? entry->location + "\\" + entry->name + "=" + entry->command : "";
    if (settings_.get(kMachineWideEntryTold) == told)
        return;
    settings_.save(kMachineWideEntryTold, told);
    if (!entry)
        return;
    dialogs_.messageBox(
        "Another entry also starts a program when anyone logs in to this computer:\r\n\r\n" +
            entry->location + "\r\n" + entry->name + " = " + entry->command +
            "\r\n\r\nIt was most likely left by the older program, and it may start that "
            "program too (or Tidewell a second time). Tidewell leaves it alone: changing it "
            "needs administrator rights. To stop it, an administrator can remove the value \"" +
            entry->name + "\" from that key (with the Registry Editor).",
        kProductTitle, Buttons::Ok, Icon::None);
}

void StartWithSession::tellUser(const std::string& what, const std::string& why) {
    dialogs_.messageBox(what + "\r\n\r\n" + why, kProductTitle, Buttons::Ok, Icon::Warning);
}

} // namespace tw
