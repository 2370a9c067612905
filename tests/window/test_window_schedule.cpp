// The schedule's controls as the user and start-up drive them, over fake controls.
#include "window_rig.h"

#include <gtest/gtest.h>

namespace tw::test {
namespace {

TEST(WindowSchedule, AssignmentsInCodeRunTheHandlers) {
    WindowRig rig;
    FakeForm& f = rig.form;
    f.timePicker.setTime({9, 0, 0});
    EXPECT_EQ(rig.store.value("Weekly Time"), "9:00:00 AM");
    f.daily.setSelected(true);
    EXPECT_EQ(rig.store.value("Option1"), "2");
    EXPECT_FALSE(f.dayList.usable);
    EXPECT_EQ(rig.window.countdown().spanSeconds, 3600);
    f.everyX.setSelected(true);
    EXPECT_EQ(rig.store.value("Option1"), "3");
    EXPECT_FALSE(f.timePicker.usable);
    f.dayList.choose("Friday");
    EXPECT_EQ(rig.store.value("Weekly"), "Friday");
    f.minutes.setText("12x");
    EXPECT_EQ(rig.store.value("Text2"), "12x");
    f.runEnabled.setValue(1);
    f.closeEnabled.setValue(0);
    f.closeEnabled.setValue(1);
    EXPECT_EQ(rig.store.value("Check1"), "1");
    EXPECT_EQ(rig.store.value("Check2"), "1");
    f.weekly.setSelected(true);
    EXPECT_TRUE(f.dayList.usable && f.timePicker.usable);
}

TEST(WindowSchedule, TheDesignedSelectionSetsTheUsableInputsFromTheStart) {
    WindowRig rig; // Every X selected before the handlers were set, as designed
    EXPECT_TRUE(rig.form.everyX.selected());
    EXPECT_TRUE(!rig.form.timePicker.usable && !rig.form.dayList.usable);
    EXPECT_TRUE(rig.store.writes.empty());
}

TEST(WindowSchedule, ClickingTheSelectedEveryXAgainRestartsTheCount) {
    WindowRig rig;
    rig.form.everyX.click();
    EXPECT_EQ(rig.store.writes.size(), size_t{1});
    rig.window.countdown().elapsedSeconds = 40;
    rig.form.everyX.click();
    EXPECT_EQ(rig.window.countdown().elapsedSeconds, 0);
    EXPECT_EQ(rig.store.writes.size(), size_t{2});
}

TEST(WindowSchedule, TypingStoresEachKeystrokeAndLeavingRefusesANonNumber) {
    WindowRig rig;
    FakeForm& f = rig.form;
    f.minutes.type("12x");
    const std::vector<std::pair<std::string, std::string>> writes = {
        {"Text2", "1"}, {"Text2", "12"}, {"Text2", "12x"}};
    EXPECT_EQ(rig.store.writes, writes);
    f.seconds.setFocus();
    ASSERT_EQ(rig.dialogs.boxes.size(), size_t{1});
    EXPECT_EQ(rig.dialogs.boxes[0].text, "Must be a numeric entry.");
    EXPECT_EQ(f.focus.focused(), &f.minutes);
    EXPECT_EQ(f.minutes.text(), "12x");
    f.minutes.setText("12");
    f.seconds.setText("5");
    f.seconds.setFocus();
    f.hours.setFocus();
    EXPECT_EQ(rig.dialogs.boxes.size(), size_t{1});
}

TEST(WindowSchedule, TheSwitchRunsTheTimerAndTheTickDrivesTheDisplays) {
    WindowRig rig;
    FakeForm& f = rig.form;
    everyXRunning(f, "2", "/usr/bin/true");
    f.switchButton.click();
    EXPECT_EQ(f.switchButton.caption(), "Stop");
    EXPECT_TRUE(rig.timer.running());
    rig.timer.tick();
    EXPECT_EQ(f.statusFrame.text, "On. Next run/close will occur in: 00:00:01");
    // One second of two: the bar is half full.
    EXPECT_EQ(f.progressBar.position * 2, f.progressBar.maximum);
    rig.timer.tick();
    EXPECT_EQ(rig.launcher.opened.size(), size_t{1});
    EXPECT_EQ(rig.window.history().list().subItem(1, 1), "Run file /usr/bin/true");

    f.switchButton.click();
    EXPECT_EQ(f.switchButton.caption(), "Turn On");
    EXPECT_EQ(f.statusFrame.text, "Off.");
    EXPECT_EQ(f.progressBar.position, 0);
    EXPECT_EQ(f.progressBar.text, "Progress Bar");
    EXPECT_FALSE(rig.timer.running());
}

// The fake bar refuses a position outside 0..maximum, as the interface asks of its callers.
// The firing reads what the handlers and start-up took in, not the controls: what the user
// changes during its pause reaches the rest of it, and stored choices that clear an option
// (which raises no event) are what it uses.
TEST(WindowSchedule, TheFiringUsesTheChoicesAsTheHandlersTookThem) {
    { // Both close methods stored clear: the close pass reaches neither windows nor processes.
        WindowRig rig;
        // Every X of one second, closing on, running off: only what differs from the fallbacks.
        for (const auto& [key, value] : {std::pair{"Option1", "3"},
                                         {"Text2", "0"},
                                         {"Text3", "1"},
                                         {"Check1", "0"},
                                         {"Check2", "1"},
                                         {"Option7", "0"},
                                         {"ListView2", "xterm||||||||---|||"}})
            rig.store.put(key, value);
        rig.load();
        rig.form.switchButton.click();
        rig.timer.changes.clear();
        rig.timer.tick();
        ASSERT_FALSE(rig.timer.changes.empty());
        EXPECT_EQ(rig.timer.changes.front(), "timer off");
        EXPECT_EQ(rig.windows.scans + rig.processes.scans, 0);
    }
    WindowRig rig;
    FakeForm& f = rig.form;
    everyXRunning(f, "1", "/usr/bin/true");
    f.closeEnabled.setValue(1);
    f.switchButton.click();
    // In the pause after the close pass the user browses to one more program and clears the
    // close feature: the run pass takes both, and the second pause is dropped.
    rig.events.onPending = [&rig, &f] {
        if (rig.events.waits != 1 || f.runList.count() != 1)
            return;
        rig.dialogs.fileAnswers = {"/usr/bin/xclock"};
        f.browseRunButton.click();
        f.closeEnabled.click();
    };
    rig.timer.tick();
    ASSERT_EQ(rig.launcher.opened.size(), size_t{2});
    EXPECT_EQ(rig.launcher.opened[1].file, "/usr/bin/xclock");
    EXPECT_EQ(rig.events.waits, 1);
    EXPECT_EQ(rig.store.value("ListView1"),
              "/usr/bin/true||||||||---|||/usr/bin/xclock||||||||---|||");
}

TEST(WindowSchedule, ABarOutsideItsSpanStaysWithinTheControl) {
    WindowRig rig;
    FakeForm& f = rig.form;
    f.timePicker.setTime({7, 0, 0}); // already passed at 08:00
    f.daily.setSelected(true);
    f.switchButton.click();
    rig.timer.tick();
    EXPECT_EQ(rig.window.countdown().spanSeconds, -3600);
    EXPECT_GE(f.progressBar.maximum, 1);
    EXPECT_EQ(f.progressBar.position, 0);
    EXPECT_EQ(f.statusFrame.text, "On. Next run/close will occur in: ");
}

} // namespace
} // namespace tw::test
