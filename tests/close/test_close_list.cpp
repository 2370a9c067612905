#include "close/close_list.h"
#include "core/error_report.h"
#include "history/history_log.h"
#include "run/run_file.h"
#include "run/run_list.h"
#include "settings/settings.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_launcher.h"
#include "support/fake_locale_text.h"
#include "support/fake_processes.h"
#include "support/fake_settings_store.h"
#include "support/fake_windows.h"
#include "support/memory_list_view.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

class CloseListTest : public ::testing::Test {
  protected:
    test::FakeClock clock;
    test::FakeLocaleText locale;
    test::FakeDialogs dialogs;
    test::FakeLauncher launcher;
    test::FakeProcesses processes;
    test::FakeWindows windows;
    test::FakeSettingsStore store;
    Settings settings{store};
    MemoryListView list{"ListView2"};
    MemoryListView log{"ListView3"};
    HistoryLog history{log, clock, locale};
    CloseEngine engine{processes, windows, locale, history};
    CloseMethod method = CloseMethod::Soft;
    std::string caption = "Execute Close Now (Test)";
    std::string title = "Tidewell";
    CloseListCommands commands{{list, dialogs, engine, launcher, processes, locale, settings,
                                [this] { return method; }, [this] { return caption; }, title}};

    std::vector<std::string> rows() const {
        std::vector<std::string> out;
        for (int i = 1; i <= list.count(); ++i)
            out.push_back(list.text(i));
        return out;
    }
};

TEST_F(CloseListTest, AddKeepsTheTypedTextExactlyAndIgnoresCancel) {
    commands.addTyped();
    EXPECT_EQ(list.count(), 0);
    ASSERT_EQ(dialogs.inputs.size(), 1u);
    EXPECT_EQ(dialogs.inputs[0].prompt, "Enter exe name or windows title here");
    EXPECT_EQ(dialogs.inputs[0].title, "Program(s) To Close");
    EXPECT_EQ(dialogs.inputs[0].initial, "");

    dialogs.inputAnswers = {" notepad.exe ", "Calc"};
    commands.addTyped();
    commands.addTyped();
    EXPECT_EQ(rows(), (std::vector<std::string>{" notepad.exe ", "Calc"}));
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(CloseListTest, BrowseAppendsTheFileNameOnly) {
    dialogs.fileAnswers = {"/opt/My App/app.bin", "", "C:\\Tools\\My App\\app.exe"};
    commands.browse();
    commands.browse();
    commands.browse();
    EXPECT_EQ(rows(), (std::vector<std::string>{"app.bin", "app.exe"}));
    ASSERT_EQ(dialogs.fileRequests.size(), 3u);
    EXPECT_EQ(dialogs.fileRequests[0].title, "Select EXE file");
    EXPECT_EQ(dialogs.fileRequests[0].filter, "Executable Files (*.exe)|*.exe|");
}

TEST_F(CloseListTest, DeleteFollowsTheSelection) {
    commands.deleteSelected();
    EXPECT_TRUE(dialogs.boxes.empty());
    list.addRow("a");
    list.addRow("b");
    commands.deleteSelected();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text,
              applicationErrorText(kNoSelectionError, "PushButton7_Click", 104));
    list.select(1);
    commands.deleteSelected();
    EXPECT_EQ(rows(), (std::vector<std::string>{"b"}));
}

TEST_F(CloseListTest, ExecuteClosesEveryRowByTheMethodReadForIt) {
    commands.closeNow();
    EXPECT_EQ(log.count(), 0);
    EXPECT_EQ(windows.scans + processes.scans, 0);

    processes.add(10, "/usr/bin/xedit");
    windows.add(100, 10);
    windows.add(101, 10);
    processes.add(20, "/usr/bin/xclock");
    list.addRow("xedit");
    list.addRow("xclock");
    // The method is read afresh for each test: a switch to hard during the soft close of the
    // first row also hard-closes that row.
    windows.onRequest = [this](WindowId) { method = CloseMethod::Hard; };
    commands.closeNow();
    EXPECT_EQ(windows.requests, (std::vector<WindowId>{100, 101}));
    EXPECT_EQ(processes.killed, (std::vector<int>{10, 20}));
    ASSERT_EQ(log.count(), 4);
    EXPECT_EQ(log.subItem(1, 1), "Close file xedit");
    EXPECT_EQ(log.subItem(4, 1), "Close file xclock");

    method = CloseMethod::None;
    commands.closeNow();
    EXPECT_EQ(log.count(), 4);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(CloseListTest, HardCloseAsksFirstWhenAnEntryEndsManyProgramsOrASparedOne) {
    // A session: its holders, a few programs, and xterms under a folder with an "a".
    processes.add(2, "/usr/bin/Xvfb");
    processes.add(3, "/usr/bin/openbox");
    processes.sparedList = {{2, "display server"}, {3, "window manager"}};
    for (int pid = 10; pid < 13; ++pid)
        processes.add(pid, "/opt/a/xterm");
    processes.add(13, "/usr/bin/xclock");
    method = CloseMethod::Hard;

    // "xterm" ends three programs, none spared: no question. "/" ends four and matches the
    // holders, "bin" matches them: asked, and answered No, neither is added.
    dialogs.inputAnswers = {"xterm", "/"};
    dialogs.fileAnswers = {"/somewhere/bin"};
    commands.addTyped();
    commands.addTyped();
    commands.browse();
    const std::string question =
        "Hard close of \"/\" would end 4 running programs: xterm (3), xclock.\r\n\r\nIt also "
        "matches 2 running programs that it never ends, because Tidewell or your session "
        "depends on them: Xvfb (display server), openbox (window manager).\r\n\r\nAdd it to "
        "the list anyway?";
    EXPECT_EQ(rows(), (std::vector<std::string>{"xterm"}));
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(dialogs.boxes[0].text, question);
    EXPECT_TRUE(dialogs.boxes[0].buttons == Buttons::YesNo &&
                dialogs.boxes[0].icon == Icon::Warning);

    // Testing "bin/X" asks too (it matches the display server); on Yes the spared ones
    // still live and the history says so. With Soft close selected nothing is asked.
    list.clear();
    list.addRow("bin/X");
    dialogs.answers = {Answer::Yes};
    commands.closeNow();
    ASSERT_EQ(dialogs.boxes.size(), 3u);
    EXPECT_NE(dialogs.boxes[2].text.find("would end 1 running program: xclock."), std::string::npos)
        << dialogs.boxes[2].text;
    EXPECT_NE(dialogs.boxes[2].text.find("Close them now?"), std::string::npos);
    EXPECT_EQ(processes.killed, (std::vector<int>{13}));
    ASSERT_EQ(log.count(), 2);
    EXPECT_EQ(log.subItem(1, 1), "Close file bin/X");
    EXPECT_EQ(log.subItem(2, 1), "Close file bin/X \xE2\x80\x94 spared: Xvfb (display server)");
    method = CloseMethod::Soft;
    dialogs.inputAnswers = {"/"};
    commands.addTyped();
    EXPECT_EQ(dialogs.boxes.size(), 3u);
    EXPECT_EQ(list.count(), 2);
}

TEST_F(CloseListTest, ExecuteReportsAFailingRowAndGoesOn) {
    windows.noDisplay = "No window system can be reached";
    list.addRow("a");
    list.addRow("b");
    commands.closeNow();
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(dialogs.boxes[1].text,
              applicationErrorText("No window system can be reached", "PushButton9_Click", 104));
}

TEST_F(CloseListTest, QuestionMarkExplainsBothMethods) {
    commands.explainMethods();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text,
              "Soft close will close window naturally as if you hit X button (at the top-right "
              "corner of the window).\r\n\r\nHard close will close the window as if you used "
              "Ctrl+Alt+Delete > Task Manager > End Process\r\n\r\nMost people only need to use "
              "the soft close feature.");
    EXPECT_EQ(dialogs.boxes[0].title, "Tidewell");
    EXPECT_EQ(dialogs.boxes[0].buttons, Buttons::Ok);
    EXPECT_EQ(dialogs.boxes[0].icon, Icon::None);
}

TEST_F(CloseListTest, SampleReplacesTheRowsAndOffersToStartTheEditor) {
    for (const char* r : {"a", "b", "c"})
        list.addRow(r);
    caption = "Renamed";
    commands.loadSample(); // answered No
    EXPECT_EQ(rows(), (std::vector<std::string>{"xedit"}));
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "Would you like me to open xedit for you so that you can "
                                     "use the Renamed button to test?");
    EXPECT_EQ(dialogs.boxes[0].title, "Tidewell");
    EXPECT_EQ(dialogs.boxes[0].buttons, Buttons::YesNo);
    EXPECT_EQ(dialogs.boxes[0].icon, Icon::None);
    EXPECT_TRUE(launcher.opened.empty());

    dialogs.answers = {Answer::Yes};
    launcher.openFailure = "cannot start";
    commands.loadSample();
    ASSERT_EQ(launcher.opened.size(), 1u);
    EXPECT_EQ(launcher.opened[0].file, "/usr/bin/xedit");
    EXPECT_EQ(launcher.opened[0].workingDirectory, kLaunchDirectory);
    EXPECT_EQ(log.count(), 0);
    EXPECT_EQ(dialogs.boxes.size(), 2u); // the question only: a failed start shows nothing

    // No editor at all: a box says so, nothing is added and nothing is asked.
    launcher.editorDir = launcher.editorFile = "";
    commands.loadSample();
    EXPECT_EQ(rows(), (std::vector<std::string>{"xedit"}));
    ASSERT_EQ(dialogs.boxes.size(), 3u);
    EXPECT_EQ(dialogs.boxes[2].text, kNoSampleProgram);
    EXPECT_EQ(launcher.opened.size(), 1u);

    // As on Windows: the question names the editor as its users know it, and the path
    // started is written the system's way.
    launcher = test::FakeLauncher();
    launcher.editorDir = "C:\\Windows";
    launcher.editorFile = "notepad.exe";
    launcher.separator = "\\";
    launcher.title = "Notepad";
    dialogs.answers = {Answer::Yes};
    commands.loadSample();
    EXPECT_EQ(rows(), (std::vector<std::string>{"notepad.exe"}));
    EXPECT_EQ(dialogs.boxes.back().text, "Would you like me to open Notepad for you so that you "
                                         "can use the Renamed button to test?");
    ASSERT_EQ(launcher.opened.size(), 1u);
    EXPECT_EQ(launcher.opened[0].file, "C:\\Windows\\notepad.exe");
}

TEST_F(CloseListTest, ClearEmptiesTheList) {
    list.addRow("a");
    commands.clear();
    EXPECT_EQ(list.count(), 0);
}

TEST_F(CloseListTest, MethodClickStoresBothOptionsInOrder) {
    method = CloseMethod::Hard;
    commands.closeMethodClicked();
    method = CloseMethod::Soft;
    commands.closeMethodClicked();
    EXPECT_EQ(store.writes,
              (std::vector<std::pair<std::string, std::string>>{
                  {"Option7", "0"}, {"Option6", "1"}, {"Option7", "1"}, {"Option6", "0"}}));
}

} // namespace
} // namespace tw
