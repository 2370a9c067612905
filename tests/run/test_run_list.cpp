#include "core/error_report.h"
#include "history/history_log.h"
#include "run/run_file.h"
#include "run/run_list.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_launcher.h"
#include "support/fake_locale_text.h"
#include "support/memory_list_view.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

class RunListTest : public ::testing::Test {
  protected:
    test::FakeClock clock;
    test::FakeLocaleText locale;
    test::FakeDialogs dialogs;
    test::FakeLauncher launcher;
    MemoryListView list{"ListView1"};
    MemoryListView log{"ListView3"};
    HistoryLog history{log, clock, locale};
    ProgramLauncher runner{launcher, history, dialogs};
    RunListCommands commands{list, dialogs, runner, launcher};

    std::vector<std::string> rows() const {
        std::vector<std::string> out;
        for (int i = 1; i <= list.count(); ++i)
            out.push_back(list.text(i));
        return out;
    }
};

TEST_F(RunListTest, BrowseAsksWithTheTitleAndTheFourChoicesAndAppendsTheFullPath) {
    dialogs.fileAnswers = {"/opt/My App/run me.sh", "/opt/My App/run me.sh"};
    commands.browse();
    commands.browse();
    ASSERT_EQ(dialogs.fileRequests.size(), 2u);
    EXPECT_EQ(dialogs.fileRequests[0].title, "Select EXE file");
    EXPECT_EQ(dialogs.fileRequests[0].filter,
              "Executable Files (*.exe)|*.exe|Batch Files (*.bat;*.com)|*.bat;*.com|SCR Files "
              "(*.scr)|*.scr|LNK Files (*.lnk)|*.lnk");
    EXPECT_EQ(rows(), (std::vector<std::string>{"/opt/My App/run me.sh", "/opt/My App/run me.sh"}));
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(RunListTest, BrowseCancelledChangesNothing) {
    list.addRow("/bin/true");
    commands.browse();
    EXPECT_EQ(rows(), (std::vector<std::string>{"/bin/true"}));
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(RunListTest, DeleteRemovesTheSelectedRowAndIgnoresAnEmptyList) {
    commands.deleteSelected();
    EXPECT_TRUE(dialogs.boxes.empty());
    for (const char* r : {"a", "b", "c"})
        list.addRow(r);
    list.select(2);
    commands.deleteSelected();
    EXPECT_EQ(rows(), (std::vector<std::string>{"a", "c"}));
}

TEST_F(RunListTest, DeleteWithoutSelectionShowsTheBoxAndKeepsTheRows) {
    list.addRow("a");
    commands.deleteSelected();
    EXPECT_EQ(rows(), (std::vector<std::string>{"a"}));
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text,
              applicationErrorText(kNoSelectionError, "PushButton6_Click", 104));
    EXPECT_EQ(dialogs.boxes[0].title, "Application Error");
}

TEST_F(RunListTest, ExecuteStartsEveryRowInOrderAndLogsEachEvenWhenOneFails) {
    commands.runNow();
    EXPECT_TRUE(launcher.opened.empty());
    EXPECT_EQ(log.count(), 0);

    list.addRow("/usr/bin/first");
    list.addRow("/missing/second");
    list.addRow("/usr/bin/third");
    launcher.openFailure = ""; // every open "works"; the row is written either way
    commands.runNow();
    ASSERT_EQ(launcher.opened.size(), 3u);
    EXPECT_EQ(launcher.opened[1].file, "/missing/second");
    EXPECT_EQ(launcher.opened[1].workingDirectory, kLaunchDirectory);
    ASSERT_EQ(log.count(), 3);
    EXPECT_EQ(log.subItem(3, 1), "Run file /usr/bin/third");

    launcher.openFailure = "No application knows this file";
    commands.runNow();
    EXPECT_EQ(log.count(), 6);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(RunListTest, ClearAndSampleReplaceTheRows) {
    for (const char* r : {"a", "b", "c", "d", "e"})
        list.addRow(r);
    commands.loadSample();
    EXPECT_EQ(rows(), (std::vector<std::string>{"/usr/bin/xedit"}));
    EXPECT_TRUE(launcher.opened.empty());
    launcher.editorDir = "C:\\Windows";
    launcher.editorFile = "notepad.exe";
    launcher.separator = "\\";
    commands.loadSample();
    EXPECT_EQ(rows(), (std::vector<std::string>{"C:\\Windows\\notepad.exe"}));
    commands.clear();
    EXPECT_EQ(list.count(), 0);

    // No editor at all: a box says so instead of adding "/".
    list.addRow("kept");
    launcher.editorDir = launcher.editorFile = "";
    commands.loadSample();
    EXPECT_EQ(rows(), (std::vector<std::string>{"kept"}));
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, kNoSampleProgram);
}

} // namespace
} // namespace tw
