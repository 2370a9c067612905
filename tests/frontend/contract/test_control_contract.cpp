// The control adapters of every toolkit keep the rules the window's behaviour relies on:
// events fire once per change, by code or by the user, and again when a handler changes its
// own control; a check box keeps its greyed value; option groups stay exclusive; the lists
// keep the list contract; the time picker gives back the time it was given. Built once per
// toolkit over that toolkit's window (control_contract.h).
#include "frontend/contract/control_contract.h"
#include "support/fake_services.h"
#include "window/main_window.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace tw::test {
namespace {

class ControlContract : public ::testing::Test {
  protected:
    // Counts the raises of an event.
    static void count(ControlEvent& event, int& raised) {
        event.setHandler([&raised] { ++raised; });
    }

    std::unique_ptr<ContractWindow> window = makeContractWindow();
    const MainWindowControls& c = window->controls();
};

TEST_F(ControlContract, ChangesRaiseTheirEventOnceByCodeOrByTheUser) {
    int box = 0;
    count(c.runEnabled.changed, box);
    c.runEnabled.setValue(1);
    c.runEnabled.setValue(1);
    EXPECT_EQ(box, 1);
    window->click("Check1");
    EXPECT_EQ(c.runEnabled.value(), 0);
    EXPECT_EQ(box, 2);

    int text = 0;
    count(c.minutes.changed, text);
    c.minutes.setText("30");
    c.minutes.setText("30");
    EXPECT_EQ(text, 1);
    window->type("Text2", "5x");
    EXPECT_EQ(c.minutes.text(), "305x");
    EXPECT_EQ(text, 3) << "one change per keystroke";

    int picker = 0;
    count(c.timePicker.changed, picker);
    c.timePicker.setTime({21, 5, 9});
    c.timePicker.setTime({21, 5, 9});
    EXPECT_EQ(picker, 1);

    int day = 0;
    count(c.dayList.changed, day);
    EXPECT_EQ(c.dayList.text(), "");
    EXPECT_FALSE(c.dayList.choose("monday")) << "letter case counts";
    EXPECT_TRUE(c.dayList.choose("Monday"));
    EXPECT_TRUE(c.dayList.choose("Monday"));
    EXPECT_EQ(day, 1);
    EXPECT_EQ(c.dayList.text(), "Monday");

    int pressed = 0;
    count(c.runNowButton.clicked, pressed);
    window->click("PushButton1");
    EXPECT_EQ(pressed, 1);
}

// The interval boxes are checked when the focus leaves them for another control.
TEST_F(ControlContract, LeavingABoxForAnotherControlRaisesLostFocusOnce) {
    int left = 0;
    count(c.minutes.lostFocus, left);
    c.minutes.setFocus();
    c.minutes.setFocus();
    EXPECT_EQ(left, 0) << "the focus stays in the box";
    c.seconds.setFocus();
    EXPECT_EQ(left, 1);
    c.hours.setFocus();
    EXPECT_EQ(left, 1) << "only the box the focus leaves";
}

// The start-at-logon box clears itself when no entry could be written and counts on its
// handler running again for the clear box; every kind of control keeps that promise.
TEST_F(ControlContract, AHandlerThatChangesItsOwnControlRunsAgain) {
    std::vector<int> seen;
    c.startWithSession.changed.setHandler([&] {
        seen.push_back(c.startWithSession.value());
        if (c.startWithSession.value() == 1)
            c.startWithSession.setValue(0);
    });
    c.startWithSession.setValue(1);
    EXPECT_EQ(seen, (std::vector<int>{1, 0})) << "set by code";
    seen.clear();
    window->click("Check4");
    EXPECT_EQ(seen, (std::vector<int>{1, 0})) << "clicked by the user";
    EXPECT_EQ(c.startWithSession.value(), 0);

    std::vector<std::string> texts;
    c.seconds.changed.setHandler([&] {
        texts.push_back(c.seconds.text());
        if (c.seconds.text() == "x")
            c.seconds.setText("0");
    });
    window->type("Text3", "x");
    EXPECT_EQ(texts, (std::vector<std::string>{"x", "0"}));

    std::vector<int> hours;
    c.timePicker.changed.setHandler([&] {
        hours.push_back(c.timePicker.time().hour);
        if (c.timePicker.time().hour == 13)
            c.timePicker.setTime({14, 0, 0});
    });
    c.timePicker.setTime({13, 0, 0});
    EXPECT_EQ(hours, (std::vector<int>{13, 14}));

    std::vector<std::string> days;
    c.dayList.changed.setHandler([&] {
        days.push_back(c.dayList.text());
        if (c.dayList.text() == "Sunday")
            c.dayList.choose("Monday");
    });
    c.dayList.choose("Sunday");
    EXPECT_EQ(days, (std::vector<std::string>{"Sunday", "Monday"}));
}

TEST_F(ControlContract, CheckBoxKeepsItsGreyedValueAndAClickChecksOrClears) {
    int changes = 0;
    count(c.closeEnabled.changed, changes);
    c.closeEnabled.setValue(2);
    EXPECT_EQ(c.closeEnabled.value(), 2);
    EXPECT_EQ(changes, 1);
    // A click checks a clear or greyed box and clears a checked one; it never greys it.
    window->click("Check2");
    EXPECT_EQ(c.closeEnabled.value(), 1);
    window->click("Check2");
    EXPECT_EQ(c.closeEnabled.value(), 0);
    window->click("Check2");
    EXPECT_EQ(c.closeEnabled.value(), 1);
    EXPECT_EQ(changes, 4);
    EXPECT_THROW(c.closeEnabled.setValue(3), std::invalid_argument);
    EXPECT_EQ(c.closeEnabled.value(), 1);
}

TEST_F(ControlContract, OptionGroupsStayExclusiveEachInItsFrame) {
    EXPECT_TRUE(c.everyX.selected());
    EXPECT_TRUE(c.softClose.selected());
    int weekly = 0;
    count(c.weekly.clicked, weekly);
    c.weekly.setSelected(true);
    c.weekly.setSelected(true);
    EXPECT_EQ(weekly, 1);
    EXPECT_FALSE(c.everyX.selected());
    EXPECT_TRUE(c.softClose.selected()) << "the close method is a group of its own";

    int hard = 0;
    count(c.hardClose.clicked, hard);
    window->click("Option6");
    window->click("Option6"); // a click on the selected option is still a click
    EXPECT_EQ(hard, 2);
    EXPECT_FALSE(c.softClose.selected());
    EXPECT_TRUE(c.weekly.selected());

    c.hardClose.setSelected(false);
    EXPECT_FALSE(c.hardClose.selected());
    EXPECT_FALSE(c.softClose.selected());
}

TEST_F(ControlContract, ListsKeepTheListContract) {
    ListControl& history = c.history;
    int changes = 0;
    history.setRowsChangedHandler([&changes] { ++changes; });
    history.addColumn("Time");
    history.addColumn("Action");
    history.setColumnWidth(2, 4200);
    EXPECT_EQ(history.columnCount(), 2);
    EXPECT_THROW(history.setColumnWidth(3, 100), std::out_of_range);

    // Longer than a toolkit's first buffer, and beyond ASCII.
    const std::string longText(700, 'x');
    const std::string accented = "C:\\Programme\\Über\\naïve ☃.exe";
    EXPECT_EQ(history.addRow("one"), 1);
    EXPECT_EQ(history.addRow(longText), 2);
    EXPECT_EQ(history.addRow(accented), 3);
    history.setSubItem(3, 1, accented);
    EXPECT_EQ(history.text(2), longText);
    EXPECT_EQ(history.text(3), accented);
    EXPECT_EQ(history.subItem(3, 1), accented);
    EXPECT_EQ(history.subItem(1, 1), "");

    history.setChecked(3, true);
    EXPECT_TRUE(history.checked(3));
    EXPECT_FALSE(history.checked(1));

    try {
        (void)history.selectedIndex();
        ADD_FAILURE() << "no row is selected";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), kNoSelectionError);
    }
    history.select(2);
    EXPECT_EQ(history.selectedIndex(), 2);

    history.remove(1);
    EXPECT_EQ(history.count(), 2);
    EXPECT_EQ(history.text(2), accented);
    EXPECT_TRUE(history.checked(2));
    EXPECT_THROW(history.remove(3), std::out_of_range);
    history.clear();
    EXPECT_EQ(history.count(), 0);
    EXPECT_EQ(changes, 6) << "three rows added, one sub-item set, one removed, all cleared";

    // Many rows in one change, as start-up fills the history, each as if added alone, after
    // the rows already there.
    history.addRow("first");
    history.addRows({{"12/9/2026", longText}, {accented, "Run file"}, {"only a time"}});
    EXPECT_EQ(changes, 8);
    ASSERT_EQ(history.count(), 4);
    EXPECT_EQ(history.text(1), "first");
    EXPECT_EQ(history.subItem(2, 1), longText);
    EXPECT_EQ(history.text(3), accented);
    EXPECT_EQ(history.subItem(3, 1), "Run file");
    EXPECT_EQ(history.text(4), "only a time");
    EXPECT_EQ(history.subItem(4, 1), "");
    history.setChecked(4, true);
    EXPECT_TRUE(history.checked(4));
    EXPECT_FALSE(history.checked(3));
    history.select(3);
    EXPECT_EQ(history.selectedIndex(), 3);
    EXPECT_EQ(history.addRow("after"), 5);
    EXPECT_EQ(history.name(), "ListView3");
}

TEST_F(ControlContract, DeleteInAListAsksOnlyWhenARowIsSelected) {
    ListControl& runs = c.runList;
    int asked = 0;
    count(runs.deletePressed, asked);
    runs.addColumn("Program");
    runs.addRow("/bin/first");
    runs.addRow("/bin/second");
    window->pressDelete("ListView1");
    EXPECT_EQ(asked, 0) << "no row selected";
    runs.select(2);
    window->pressDelete("ListView1");
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(runs.count(), 2) << "the behaviour deletes, not the list itself";
}

TEST_F(ControlContract, TimePickerGivesBackTheTimeItWasGiven) {
    for (const TimeOfDay time : {TimeOfDay{0, 0, 0}, TimeOfDay{12, 0, 0}, TimeOfDay{12, 30, 1},
                                 TimeOfDay{23, 59, 59}, TimeOfDay{9, 0, 0}}) {
        c.timePicker.setTime(time);
        EXPECT_EQ(c.timePicker.time(), time) << time.hour << ":" << time.minute;
    }
}

// The whole road: the behaviour over this toolkit's controls, a user's click on "Load this
// software on Windows startup", and an entry that cannot be written.
TEST_F(ControlContract, StartAtLogonThatCannotBeWrittenLeavesTheBoxAndTheChoiceOff) {
    FakeServices fakes;
    Services services = fakes.services();
    MainWindow behaviour(c, services);
    behaviour.programFolder = "/nonexistent";
    behaviour.homePageRandom = [] { return 0.5; };
    behaviour.endProgram = [] {};
    behaviour.start();

    FakeAutostart& autostart = fakes.autostart;
    autostart.failure = "Access is denied.";
    window->click("Check4");
    EXPECT_EQ(c.startWithSession.value(), 0);
    EXPECT_EQ(fakes.store.value("Windows Startup"), "Off");
    EXPECT_EQ(fakes.dialogs.boxes.size(), 2u) << "the failed entry, then the failed clean-up";

    autostart.failure.clear();
    window->click("Check4");
    EXPECT_EQ(c.startWithSession.value(), 1);
    EXPECT_EQ(fakes.store.value("Windows Startup"), "On");
    EXPECT_EQ(autostart.entries, std::vector<std::string>{"tidewell"});
    behaviour.close();
}

} // namespace
} // namespace tw::test
