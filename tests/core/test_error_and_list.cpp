#include "core/error_report.h"
#include "support/fake_dialogs.h"
#include "support/memory_list_view.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(ErrorReport, TextIsBuiltExactly) {
    EXPECT_EQ(applicationErrorText("Type mismatch", "Timer1_Timer", 104),
              "Type mismatch\r\nin Larkmoor2021/08/31.Form1.Timer1_Timer at line 104\r\rPlease "
              "email screenshot of this message to support@quillmark.com");
}

TEST(ErrorReport, FailedStatementShowsOneBoxAndTheRoutineGoesOn) {
    test::FakeDialogs dialogs;
    GuardedRoutine routine(dialogs, "Form_Load");
    std::vector<int> ran;
    EXPECT_TRUE(routine.step(100, [&] { ran.push_back(100); }));
    EXPECT_FALSE(routine.step(102, [&] { throw std::runtime_error("Type mismatch"); }));
    EXPECT_TRUE(routine.step(104, [&] { ran.push_back(104); }));
    EXPECT_EQ(ran, (std::vector<int>{100, 104}));
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].title, "Application Error");
    EXPECT_EQ(dialogs.boxes[0].buttons, Buttons::Ok);
    EXPECT_EQ(dialogs.boxes[0].icon, Icon::Warning);
    EXPECT_EQ(dialogs.boxes[0].text, applicationErrorText("Type mismatch", "Form_Load", 102));
}

TEST(ErrorReport, FailedTestEntersItsBranch) {
    test::FakeDialogs dialogs;
    GuardedRoutine routine(dialogs, "Timer1_Timer");
    EXPECT_TRUE(routine.test(110, []() -> bool { throw std::runtime_error("boom"); }));
    EXPECT_FALSE(routine.test(112, [] { return false; }));
    EXPECT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_TRUE(routine.step(114, [] { throw 42; }) == false);
    EXPECT_NE(dialogs.boxes.back().text.find("Unknown error"), std::string::npos);
}

TEST(MemoryList, RowsSelectionAndChecks) {
    MemoryListView list("ListView3");
    list.addColumn("Time");
    list.addColumn("Action");
    list.setColumnWidth(1, 2200);
    EXPECT_THROW(list.setColumnWidth(3, 10), std::out_of_range);
    int changes = 0;
    list.setRowsChangedHandler([&] { ++changes; });
    EXPECT_EQ(list.addRow("a"), 1);
    EXPECT_EQ(list.addRow("b"), 2);
    list.setSubItem(2, 1, "Run file x");
    EXPECT_EQ(list.subItem(2, 1), "Run file x");
    EXPECT_EQ(list.subItem(1, 1), "");
    EXPECT_THROW(list.selectedIndex(), std::runtime_error);
    list.select(2);
    EXPECT_EQ(list.selectedIndex(), 2);
    list.remove(1);
    EXPECT_EQ(list.selectedIndex(), 1);
    EXPECT_EQ(list.text(1), "b");
    list.setChecked(1, true);
    EXPECT_TRUE(list.checked(1));
    EXPECT_THROW(list.text(2), std::out_of_range);
    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_THROW(list.selectedIndex(), std::runtime_error);
    EXPECT_EQ(changes, 5);
}

} // namespace
} // namespace tw
