// Hiding to the tray and the start-up options, over the window's fake controls: the tray
// icon's fake notification area, and the two check boxes behind their adapter.
#include "settings/settings.h"
#include "support/fake_autostart.h"
#include "support/fake_controls.h"
#include "support/fake_dialogs.h"
#include "support/fake_settings_store.h"
#include "tray/start_with_session.h"
#include "tray/tray_behaviour.h"
#include "tray/tray_icon.h"
#include "tray/tray_icon_rig.h"
#include "window/control_views.h"

#include <gtest/gtest.h>

namespace tw::test {
namespace {

struct TrayRig : SysTrayRig {
    FakeWindowControl window{pump};
    bool trayRunning = true;
    TrayBehaviour behaviour{window, tray, [this] { return trayRunning; }};

    TrayRig() {
        tray.setInTray(true);
        tray.setEvents({nullptr, nullptr,
                        [this](std::int16_t b, std::int32_t id) { behaviour.iconClicked(b, id); },
                        nullptr});
        window.stateChanged.setHandler([this] { behaviour.windowStateChanged(); });
    }
    // The user minimises the window; its state change arrives through the event loop.
    void minimise() {
        window.minimise();
        pump.processPending();
    }
};

// The two boxes raise their handlers on every change of value, as the window wires them.
struct StartupRig {
    FakeSettingsStore store;
    Settings settings{store};
    FakeAutostart autostart;
    FakeDialogs dialogs;
    FakeCheckBox withSession;
    FakeCheckBox inTray;
    StartupBoxesOnControls boxes{withSession, inTray};
    bool loading = false;
    StartWithSession handlers{boxes, settings, autostart, dialogs, [this] { return loading; }};

    StartupRig() {
        inTray.shown = false; // as designed
        withSession.changed.setHandler([this] { handlers.withSessionClicked(); });
        inTray.changed.setHandler([this] { handlers.inTrayClicked(); });
    }
};

TEST(TrayBehaviour, FirstMinimiseHidesWithTheBalloonLaterOnesWithout) {
    TrayRig r;
    r.minimise();
    EXPECT_FALSE(r.window.shown);
    EXPECT_FALSE(r.window.minimised);
    EXPECT_TRUE(r.behaviour.isHiddenInTray());
    EXPECT_EQ(r.window.calls, (std::vector<std::string>{"hide", "normal"}));
    EXPECT_EQ(r.host.balloons.size(), std::size_t(1));
    EXPECT_EQ(r.host.balloons[0].title, "Tidewell");
    EXPECT_EQ(r.host.balloons[0].text,
              std::string("has been minimized to the system tray.\r\nClick on the blue 'Q' "
                          "icon (Q for Quillmark) to bring the software back."));
    EXPECT_EQ(r.host.balloons[0].timeoutMs, 5000);

    r.host.notify(TrayNotification::LeftUp);
    EXPECT_TRUE(r.window.shown);
    r.minimise();
    EXPECT_FALSE(r.window.shown);
    EXPECT_EQ(r.host.balloons.size(), std::size_t(1));
}

TEST(TrayBehaviour, ResizeWithoutMinimiseOrWhileHiddenDoesNothing) {
    TrayRig r;
    r.window.stateChanged.raise();
    EXPECT_TRUE(r.window.calls.empty());
    r.minimise();
    r.window.calls.clear();
    r.minimise();
    EXPECT_TRUE(r.window.calls.empty());
}

TEST(TrayBehaviour, EitherButtonReleaseRestoresAPressAloneDoesNot) {
    for (auto [press, release] :
         {std::pair{TrayNotification::LeftDown, TrayNotification::LeftUp},
          std::pair{TrayNotification::RightDown, TrayNotification::RightUp}}) {
        TrayRig r;
        r.minimise();
        r.host.notify(press);
        r.host.notify(TrayNotification::LeftDblClick);
        EXPECT_FALSE(r.window.shown);
        r.host.notify(release);
        EXPECT_TRUE(r.window.shown);
        EXPECT_FALSE(r.behaviour.isHiddenInTray());
        EXPECT_EQ(r.window.calls.back(), "show+activate");
    }
}

TEST(TrayBehaviour, ClickDuringTheBalloonWaitRestoresAtOnce) {
    TrayRig r;
    bool shownDuringWait = false;
    r.pump.onPending = [&] {
        r.host.notify(TrayNotification::LeftUp);
        shownDuringWait = r.window.shown;
        r.pump.onPending = nullptr;
    };
    r.minimise();
    EXPECT_TRUE(shownDuringWait);
    EXPECT_TRUE(r.window.shown);
    EXPECT_FALSE(r.behaviour.isHiddenInTray());
}

TEST(TrayBehaviour, ClickWhileShownOnlyActivates) {
    TrayRig r;
    r.host.notify(TrayNotification::LeftUp);
    EXPECT_EQ(r.window.calls, std::vector<std::string>{"show+activate"});
    EXPECT_FALSE(r.behaviour.isHiddenInTray());
    EXPECT_TRUE(r.host.balloons.empty());
}

TEST(TrayBehaviour, WithoutATrayMinimiseStaysReachableUntilATrayAppears) {
    TrayRig r;
    r.trayRunning = false;
    r.minimise();
    EXPECT_TRUE(r.window.shown);
    EXPECT_TRUE(r.window.minimised);
    EXPECT_FALSE(r.behaviour.isHiddenInTray());
    EXPECT_TRUE(r.behaviour.waitingForTray());
    EXPECT_TRUE(r.host.balloons.empty());

    r.behaviour.lookForTray();
    EXPECT_TRUE(r.window.shown);
    r.trayRunning = true;
    r.behaviour.lookForTray();
    EXPECT_FALSE(r.window.shown);
    EXPECT_TRUE(r.behaviour.isHiddenInTray());
    EXPECT_FALSE(r.behaviour.waitingForTray());
    EXPECT_EQ(r.host.balloons.size(), std::size_t(1));
}

TEST(TrayBehaviour, WindowRestoredFromTheTaskbarStopsWaitingForATray) {
    TrayRig r;
    r.trayRunning = false;
    r.minimise();
    r.window.minimised = false;
    r.behaviour.lookForTray();
    EXPECT_FALSE(r.behaviour.waitingForTray());
    r.trayRunning = true;
    r.behaviour.lookForTray();
    EXPECT_TRUE(r.window.shown);
    EXPECT_TRUE(r.window.calls.empty());
}

TEST(StartWithSession, CheckingStartupRegistersAndOffersTheTrayOption) {
    StartupRig r;
    r.boxes.setStartWithSession(true);
    EXPECT_TRUE(r.inTray.shown);
    EXPECT_EQ(r.store.value("Windows Startup"), "On");
    EXPECT_EQ(r.autostart.entries, std::vector<std::string>{"tidewell"});
    EXPECT_TRUE(r.dialogs.boxes.empty());
}

TEST(StartWithSession, ClearingStartupRemovesAndClearsTheTrayOption) {
    StartupRig r;
    r.boxes.setStartWithSession(true);
    r.boxes.setStartInTray(true);
    EXPECT_EQ(r.store.value("Minimized"), "On");
    r.boxes.setStartWithSession(false);
    EXPECT_EQ(r.inTray.value(), 0);
    EXPECT_FALSE(r.inTray.shown);
    EXPECT_EQ(r.store.value("Minimized"), "Off");
    EXPECT_EQ(r.store.value("Windows Startup"), "Off");
    EXPECT_TRUE(r.autostart.entries.empty());
    EXPECT_EQ(r.autostart.calls, (std::vector<std::string>{"add tidewell", "remove tidewell"}));
}

TEST(StartWithSession, TrayOptionStoresItsValueOnEveryChange) {
    StartupRig r;
    r.boxes.setStartInTray(true);
    r.boxes.setStartInTray(false);
    EXPECT_EQ(r.store.writes, (std::vector<std::pair<std::string, std::string>>{
                                  {"Minimized", "On"}, {"Minimized", "Off"}}));
    EXPECT_TRUE(r.autostart.calls.empty());
}

TEST(StartWithSession, RestoringAtStartUpLeavesTheEntryAlone) {
    StartupRig r;
    r.loading = true;
    r.boxes.setStartWithSession(true);
    r.boxes.setStartInTray(true);
    r.boxes.setStartWithSession(false);
    EXPECT_TRUE(r.autostart.calls.empty());
    EXPECT_EQ(r.store.writes,
              (std::vector<std::pair<std::string, std::string>>{{"Minimized", "On"}}));
}

TEST(StartWithSession, EntryThatCannotBeWrittenIsReportedAndTheBoxCleared) {
    StartupRig r;
    r.autostart.failure = "Permission denied";
    r.boxes.setStartWithSession(true);
    EXPECT_EQ(r.withSession.value(), 0);
    EXPECT_FALSE(r.inTray.shown);
    EXPECT_EQ(r.store.value("Windows Startup"), "Off");
    EXPECT_TRUE(r.dialogs.boxes.size() >= 1);
    const auto& box = r.dialogs.boxes.front();
    EXPECT_EQ(box.title, "Tidewell");
    EXPECT_EQ(box.icon, Icon::Warning);
    EXPECT_EQ(box.buttons, Buttons::Ok);
    EXPECT_TRUE(box.text.find("could not be set to start") != std::string::npos);
    EXPECT_TRUE(box.text.find("Permission denied") != std::string::npos);
}

TEST(StartWithSession, UnknownExecutableIsReportedAndTheBoxCleared) {
    StartupRig r;
    r.autostart.name.clear();
    r.boxes.setStartWithSession(true);
    EXPECT_EQ(r.withSession.value(), 0);
    EXPECT_EQ(r.store.value("Windows Startup"), "Off");
    EXPECT_EQ(r.dialogs.boxes.size(), std::size_t(1));
    EXPECT_TRUE(r.autostart.calls.empty());
}

// "On" stored by an older program (or an install since removed) with no entry, or one
// that starts another copy: start-up writes it; an entry that is right is left alone,
// and "Off" writes nothing. A failure is told and the choice kept for the next start.
TEST(StartWithSession, StoredOnGetsItsEntryAtStartUp) {
    StartupRig r;
    r.store.put("Windows Startup", "On");
    r.loading = true;
    r.boxes.setStartWithSession(true);
    r.handlers.checkAtStartUp();
    EXPECT_EQ(r.autostart.calls, std::vector<std::string>{"add tidewell"});
    r.handlers.checkAtStartUp();
    EXPECT_EQ(r.autostart.calls.size(), std::size_t(1));
    r.autostart.elsewhere = {"tidewell"};
    r.handlers.checkAtStartUp();
    EXPECT_EQ(r.autostart.calls, (std::vector<std::string>{"add tidewell", "add tidewell"}));
    EXPECT_TRUE(r.dialogs.boxes.empty());

    r.autostart.elsewhere = {"tidewell"};
    r.autostart.failure = "Access is denied.";
    r.handlers.checkAtStartUp();
    EXPECT_EQ(r.dialogs.boxes.size(), std::size_t(1));
    EXPECT_TRUE(r.dialogs.boxes[0].text.find("Access is denied.") != std::string::npos);
    EXPECT_EQ(r.store.value("Windows Startup"), "On");
    EXPECT_EQ(r.withSession.value(), 1);

    StartupRig off;
    off.handlers.checkAtStartUp();
    EXPECT_TRUE(off.autostart.calls.empty());
    EXPECT_TRUE(off.dialogs.boxes.empty());
}

// A machine-wide entry, which we may not change, is told about once: not at the next
// start, again once it changes, and again when it comes back after being removed.
TEST(StartWithSession, MachineWideEntryIsToldOnce) {
    StartupRig r;
    r.autostart.name = "tidewell.exe";
    r.autostart.machineWide =
        MachineWideEntry{"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
                         "tidewell.exe", "C:\\Program Files\\Old\\tidewell.exe"};
    r.handlers.checkAtStartUp();
    EXPECT_EQ(r.dialogs.boxes.size(), std::size_t(1));
    const std::string text = r.dialogs.boxes[0].text;
    for (const char* part :
         {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
          "tidewell.exe = C:\\Program Files\\Old\\tidewell.exe", "may start that program too",
          "administrator", "remove the value \"tidewell.exe\""})
        EXPECT_TRUE(text.find(part) != std::string::npos) << part;
    EXPECT_EQ(r.dialogs.boxes[0].title, "Tidewell");
    EXPECT_TRUE(r.autostart.calls.empty());

    r.handlers.checkAtStartUp();
    EXPECT_EQ(r.dialogs.boxes.size(), std::size_t(1));
    r.autostart.machineWide->command = "C:\\Older\\tidewell.exe";
    r.handlers.checkAtStartUp();
    EXPECT_EQ(r.dialogs.boxes.size(), std::size_t(2));
    const auto entry = r.autostart.machineWide;
    r.autostart.machineWide.reset();
    r.handlers.checkAtStartUp();
    r.autostart.machineWide = entry;
    r.handlers.checkAtStartUp();
    EXPECT_EQ(r.dialogs.boxes.size(), std::size_t(3));
}

TEST(StartWithSession, EntryThatCannotBeRemovedIsReported) {
    StartupRig r;
    r.boxes.setStartWithSession(true);
    r.autostart.failure = "Read-only file system";
    r.boxes.setStartWithSession(false);
    EXPECT_EQ(r.store.value("Windows Startup"), "Off");
    EXPECT_EQ(r.dialogs.boxes.size(), std::size_t(1));
    EXPECT_TRUE(r.dialogs.boxes[0].text.find("Read-only file system") != std::string::npos);
}

} // namespace
} // namespace tw::test
