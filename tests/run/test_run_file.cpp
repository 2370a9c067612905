// run's order of effects and its error report, over a fake launcher.
#include "history/history_log.h"
#include "run/run_file.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_launcher.h"
#include "support/fake_locale_text.h"
#include "support/memory_list_view.h"

#include <gtest/gtest.h>

using namespace tw;
using namespace tw::test;

namespace {

// A history list whose row writes fail on request.
class FailingListView : public MemoryListView {
  public:
    FailingListView() : MemoryListView("ListView3") {}
    int addRow(const std::string& text) override {
        if (failAdd)
            throw std::runtime_error("Out of memory");
        return MemoryListView::addRow(text);
    }
    bool failAdd = false;
};

class RunFileTest : public ::testing::Test {
  protected:
    FakeClock clock;
    FakeLocaleText locale;
    FailingListView list;
    HistoryLog history{list, clock, locale};
    FakeDialogs dialogs;
    FakeLauncher launcher;
    ProgramLauncher run{launcher, history, dialogs};
};

TEST_F(RunFileTest, OpensTheWholeEntryInTheRootThenLogsIt) {
    run.run("/opt/My Tool/tool --silent");
    ASSERT_EQ(launcher.opened.size(), 1u);
    EXPECT_EQ(launcher.opened[0].file, "/opt/My Tool/tool --silent");
    EXPECT_EQ(launcher.opened[0].workingDirectory, "/");
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.text(1), "12/7/2026 8:00:00 AM");
    EXPECT_EQ(list.subItem(1, 1), "Run file /opt/My Tool/tool --silent");
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(RunFileTest, LaunchThatStartsNothingIsLoggedWithItsReasonWithoutAMessage) {
    launcher.openFailure = "no such file";
    run.run("/nowhere/missing");
    EXPECT_TRUE(dialogs.boxes.empty());
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.subItem(1, 1),
              "Run file /nowhere/missing \xE2\x80\x94 not started: no such file");
}

TEST_F(RunFileTest, UnexpectedFailureIsReportedAtItsStepAndTheRowStillFollows) {
    launcher.unexpectedFailure = "Broken launcher";
    run.run("/usr/bin/xedit");
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].title, "Application Error");
    EXPECT_NE(dialogs.boxes[0].text.find("Broken launcher\r\nin Larkmoor2021/08/31.Form1.RunFile "
                                         "at line 100\r"),
              std::string::npos);
    EXPECT_EQ(list.count(), 1);
}

TEST_F(RunFileTest, MissingRowIsReportedTwice) {
    list.failAdd = true;
    run.run("/usr/bin/xedit");
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_NE(dialogs.boxes[0].text.find("at line 102\r"), std::string::npos);
    EXPECT_NE(dialogs.boxes[1].text.find("at line 104\r"), std::string::npos);
}

TEST(sampleProgramFolder, IsTheEditorsFolder) {
    FakeLauncher launcher;
    EXPECT_EQ(sampleProgramFolder(launcher), "/usr/bin");
    launcher.editorDir.clear();
    EXPECT_EQ(sampleProgramFolder(launcher), "");
}

} // namespace
