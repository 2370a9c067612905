#include "schedule/schedule_controls.h"
#include "schedule_rig.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

using test::ScheduleRig;

TEST(ModeOptions, SetTheUsableInputsStoreTheModeAndPrepareTheCountdown) {
    ScheduleRig rig; // 08:00:00
    rig.setPicker(9, 0, 0);
    rig.countdown.elapsedSeconds = 42;

    // A click selects the option, then runs its handler.
    rig.state.mode = ScheduleMode::Daily;
    rig.controls.dailyChosen();
    EXPECT_EQ(rig.store.value("Option1"), "2");
    EXPECT_TRUE(rig.view.timeEnabled);
    EXPECT_FALSE(rig.view.dayEnabled);
    EXPECT_EQ(rig.countdown.spanSeconds, 3600);

    rig.state.mode = ScheduleMode::EveryX;
    rig.controls.everyXChosen();
    EXPECT_EQ(rig.store.value("Option1"), "3");
    EXPECT_FALSE(rig.view.timeEnabled);
    EXPECT_FALSE(rig.view.dayEnabled);
    EXPECT_EQ(rig.countdown.elapsedSeconds, 0);
    EXPECT_EQ(rig.countdown.spanSeconds, 3600);

    rig.clock.advanceSeconds(7200); // 10:00:00, past the target
    rig.state.mode = ScheduleMode::Weekly;
    rig.controls.weeklyChosen();
    EXPECT_EQ(rig.store.value("Option1"), "1");
    EXPECT_TRUE(rig.view.timeEnabled);
    EXPECT_TRUE(rig.view.dayEnabled);
    EXPECT_EQ(rig.state.day, "Monday"); // a disabled control kept its value
    EXPECT_EQ(rig.countdown.spanSeconds, -3600);
}

TEST(ModeOptions, LeaveTheSpanAloneWhileThePickerHoldsADateOnly) {
    ScheduleRig rig;
    rig.locale.longTimeText = "12/30/1899";
    rig.countdown.spanSeconds = 77;
    rig.controls.weeklyChosen();
    rig.controls.dailyChosen();
    EXPECT_EQ(rig.countdown.spanSeconds, 77);
    EXPECT_EQ(rig.store.value("Option1"), "2");
}

TEST(ModeOptions, WriteTheKeyAfterTheComputation) {
    ScheduleRig rig;
    rig.store.failWrites = true;
    rig.setPicker(8, 0, 10);
    EXPECT_THROW(rig.controls.dailyChosen(), std::runtime_error);
    EXPECT_EQ(rig.countdown.spanSeconds, 10);
}

TEST(DayAndTime, AreStoredAsTextAndOnlyDailyRecomputesTheSpanOnATimeChange) {
    ScheduleRig rig;
    rig.controls.dayChosen("Friday");
    EXPECT_EQ(rig.state.day, "Friday");
    EXPECT_EQ(rig.store.value("Weekly"), "Friday");

    rig.state.mode = ScheduleMode::Weekly;
    rig.countdown.spanSeconds = 5;
    rig.controls.timeChanged({17, 30, 5});
    EXPECT_EQ(rig.store.value("Weekly Time"), "5:30:05 PM");
    EXPECT_EQ(rig.countdown.spanSeconds, 5);

    rig.state.mode = ScheduleMode::Daily;
    rig.controls.timeChanged({17, 30, 5});
    EXPECT_EQ(rig.countdown.spanSeconds, 9 * 3600 + 30 * 60 + 5);

    rig.locale.longTimeText = "12/7/2026";
    rig.controls.timeChanged({1, 0, 0});
    EXPECT_EQ(rig.store.value("Weekly Time"), "12/7/2026");
    EXPECT_EQ(rig.countdown.spanSeconds, 9 * 3600 + 30 * 60 + 5);
}

TEST(EveryXFields, StoreEveryKeystrokeAndRefuseANonNumberOnLeaving) {
    ScheduleRig rig;
    for (const std::string text : {"1", "12", "12x"}) {
        rig.controls.fieldChanged(EveryXField::Minutes, text);
    }
    const std::vector<std::pair<std::string, std::string>> writes = {
        {"Text2", "1"}, {"Text2", "12"}, {"Text2", "12x"}};
    EXPECT_EQ(rig.store.writes, writes);

    rig.controls.fieldLeft(EveryXField::Minutes);
    ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
    EXPECT_EQ(rig.dialogs.boxes[0].text, "Must be a numeric entry.");
    EXPECT_EQ(rig.dialogs.boxes[0].title, "Tidewell");
    EXPECT_EQ(rig.dialogs.boxes[0].buttons, Buttons::Ok);
    EXPECT_EQ(rig.dialogs.boxes[0].icon, Icon::None);
    EXPECT_EQ(rig.view.focused, EveryXField::Minutes);
    EXPECT_EQ(rig.state.intervalTexts[1], "12x");
    EXPECT_EQ(rig.store.value("Text2"), "12x");

    rig.controls.fieldChanged(EveryXField::Hours, "");
    rig.controls.fieldLeft(EveryXField::Hours);
    EXPECT_EQ(rig.dialogs.boxes.size(), 2u);
    EXPECT_EQ(rig.view.focused, EveryXField::Hours);
    EXPECT_TRUE(rig.store.has("Text1"));
    EXPECT_EQ(rig.store.value("Text1"), "");

    rig.view.focused.reset();
    for (const std::string number : {"0", "-10", "+2.5", ".5"}) {
        rig.state.intervalTexts[2] = number;
        rig.controls.fieldLeft(EveryXField::Seconds);
    }
    EXPECT_EQ(rig.dialogs.boxes.size(), 2u);
    EXPECT_FALSE(rig.view.focused);
}

TEST(FeatureSwitches, StoreTheCheckBoxValueInDecimal) {
    ScheduleRig rig;
    rig.controls.runSwitchClicked(0);
    rig.controls.closeSwitchClicked(2);
    EXPECT_EQ(rig.state.runCheck, 0);
    EXPECT_EQ(rig.state.closeCheck, 2);
    EXPECT_EQ(rig.store.value("Check1"), "0");
    EXPECT_EQ(rig.store.value("Check2"), "2");
}

TEST(MonitoringSwitch, TurnsOnAndOffKeepingTheCountsAndTheSavedCaption) {
    ScheduleRig rig;
    rig.state.mode = ScheduleMode::EveryX;
    rig.countdown.spanSeconds = 30;
    rig.countdown.elapsedSeconds = 12;
    rig.switchOn();
    EXPECT_EQ(rig.view.caption, "Stop");
    EXPECT_EQ(rig.monitor.savedCaption(), "Turn On");
    EXPECT_TRUE(rig.timer.isEnabled());
    EXPECT_EQ(rig.timer.interval(), 1000);
    EXPECT_EQ(rig.countdown.spanSeconds, 30); // Every X: no span computed
    EXPECT_EQ(rig.view.status, "Off.");
    EXPECT_TRUE(rig.store.writes.empty());

    rig.runSeconds(3);
    EXPECT_EQ(rig.countdown.elapsedSeconds, 15);
    rig.monitor.toggle();
    EXPECT_EQ(rig.view.caption, "Turn On");
    EXPECT_FALSE(rig.timer.isEnabled());
    EXPECT_EQ(rig.timer.interval(), 0);
    EXPECT_EQ(rig.view.status, "Off.");
    EXPECT_EQ(rig.view.barPosition, 0);
    EXPECT_EQ(rig.view.barText, "Progress Bar");
    EXPECT_EQ(rig.view.pointerResets, 1);
    EXPECT_EQ(rig.countdown.spanSeconds, 1800);
    EXPECT_EQ(rig.countdown.elapsedSeconds, 15);
    EXPECT_FALSE(rig.step());
}

TEST(MonitoringSwitch, ComputesTheSpanForWeeklyAndDailyWithoutTheColonTest) {
    ScheduleRig rig;
    rig.state.mode = ScheduleMode::Weekly;
    rig.locale.longTimeText = "12/30/1899";
    rig.state.time = {8, 20, 0};
    rig.switchOn();
    EXPECT_EQ(rig.countdown.spanSeconds, 1200);
}

TEST(MonitoringSwitch, ComparesTheCaptionExactly) {
    ScheduleRig rig;
    rig.view.caption = "stop";
    rig.switchOn();
    EXPECT_EQ(rig.view.caption, "Stop");
    EXPECT_EQ(rig.monitor.savedCaption(), "stop");
    rig.monitor.toggle();
    EXPECT_EQ(rig.view.caption, "stop");
}

TEST(MonitoringSwitch, ReportsAFailingStepAndGoesOn) {
    ScheduleRig rig;
    struct BrokenBar : test::FakeScheduleView {
        void setBarText(const std::string&) override { throw std::runtime_error("Invalid"); }
    } view;
    MonitoringSwitch monitor(rig.state, view, rig.clock, rig.timer, rig.dialogs);
    monitor.toggle();
    monitor.toggle();
    ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
    EXPECT_EQ(rig.dialogs.boxes[0].text.rfind(
                  "Invalid\r\nin Larkmoor2021/08/31.Form1.PushButton2_Click at line 124\r", 0),
              0u);
    EXPECT_EQ(view.caption, "Turn On");
}

} // namespace
} // namespace tw
