// The start-up options and the tray as the window drives them, over fake controls and a fake
// notification area.
#include "window_rig.h"

#include <gtest/gtest.h>

namespace tw::test {
namespace {

TEST(WindowTray, ClickingTheBoxesStoresThemAndRegisters) {
    WindowRig r;
    FakeForm& f = r.load();
    f.startWithSession.click();
    EXPECT_TRUE(f.startInTray.shown);
    EXPECT_EQ(r.store.value("Windows Startup"), "On");
    EXPECT_EQ(r.autostart.entries, std::vector<std::string>{"tidewell"});
    f.startInTray.click();
    EXPECT_EQ(r.store.value("Minimized"), "On");
    f.startWithSession.click();
    EXPECT_FALSE(f.startInTray.shown);
    EXPECT_EQ(f.startInTray.value(), 0);
    EXPECT_EQ(r.store.value("Minimized"), "Off");
    EXPECT_EQ(r.store.value("Windows Startup"), "Off");
    EXPECT_TRUE(r.autostart.entries.empty());
}

// Restoring the box writes nothing; start-up then writes the entry only when "On" was
// stored without one that starts this program (left so by an older program).
TEST(WindowTray, RestoringTheBoxesAtStartUpWritesOnlyAMissingEntry) {
    WindowRig r;
    r.store.put("Windows Startup", "On");
    r.store.put("Minimized", "On");
    r.autostart.entries = {"tidewell"};
    r.load();
    EXPECT_TRUE(r.autostart.calls.empty());

    WindowRig missing;
    missing.store.put("Windows Startup", "On");
    missing.load();
    EXPECT_EQ(missing.autostart.calls, std::vector<std::string>{"add tidewell"});
    EXPECT_EQ(missing.form.startWithSession.value(), 1);
    EXPECT_TRUE(missing.dialogs.boxes.empty());
}

TEST(WindowTray, FailedEntryLeavesTheBoxClearWithABox) {
    WindowRig r;
    r.load();
    r.autostart.failure = "No space left on device";
    r.form.startWithSession.click();
    EXPECT_EQ(r.form.startWithSession.value(), 0);
    EXPECT_EQ(r.store.value("Windows Startup"), "Off");
    EXPECT_EQ(r.dialogs.boxes.size(), std::size_t(2)); // the add, then the clean-up
}

TEST(WindowTray, WithoutATrayMinimisingLeavesTheWindowReachable) {
    WindowRig r;
    r.tray.areaUp = false;
    FakeForm& f = r.load();
    f.window.minimise();
    r.events.processPending();
    EXPECT_TRUE(r.window.trayBehaviour().waitingForTray());
    EXPECT_TRUE(r.trayWait.running());
    EXPECT_TRUE(f.window.shown);
    EXPECT_FALSE(r.window.trayBehaviour().isHiddenInTray());
    EXPECT_EQ(r.events.waits, 0); // no balloon waited for
    // A notification area appears: the next look hides the window there.
    r.tray.areaUp = true;
    r.trayWait.tick();
    EXPECT_TRUE(r.window.trayBehaviour().isHiddenInTray());
    EXPECT_FALSE(r.trayWait.running());
}

TEST(WindowTray, ClickOnTheIconRestoresTheHiddenWindow) {
    WindowRig r;
    FakeForm& f = r.load();
    f.window.hide();
    r.tray.notify(TrayNotification::LeftUp);
    EXPECT_TRUE(f.window.shown);
    EXPECT_FALSE(f.window.minimised);
}

// A firing that fails while the window is hidden in the tray is told in one notification;
// one in sight, and the Test button's launch, only in the history.
TEST(WindowTray, AFailedFiringIsToldOnlyWhileTheWindowIsInTheTray) {
    WindowRig r;
    FakeForm& f = r.load();
    everyXRunning(f, "2", "/opt/gone");
    r.launcher.openFailure = "no such file";
    f.switchButton.click();
    const auto fire = [&r] {
        r.timer.tick();
        r.timer.tick();
    };
    fire();
    EXPECT_EQ(r.window.history().list().count(), 1);
    EXPECT_TRUE(r.notifier.shown.empty());

    f.window.minimise();
    r.events.processPending();
    ASSERT_TRUE(r.window.trayBehaviour().isHiddenInTray());
    fire();
    EXPECT_EQ(r.window.history().list().count(), 2);
    ASSERT_EQ(r.notifier.shown.size(), size_t{1});
    EXPECT_EQ(r.notifier.shown[0].body,
              "Run file /opt/gone \xE2\x80\x94 not started: no such file");
    f.runNowButton.click(); // "Execute Run Now (Test)"
    EXPECT_EQ(r.window.history().list().count(), 3);
    EXPECT_EQ(r.notifier.shown.size(), size_t{1});

    r.tray.notify(TrayNotification::LeftUp);
    EXPECT_TRUE(f.window.shown);
    fire();
    EXPECT_EQ(r.window.history().list().count(), 4);
    EXPECT_EQ(r.notifier.shown.size(), size_t{1});
}

} // namespace
} // namespace tw::test
