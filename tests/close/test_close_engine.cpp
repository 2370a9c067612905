// The loops of the close engine over fake processes and windows.
#include "close/close_engine.h"
#include "history/history_log.h"
#include "support/fake_clock.h"
#include "support/fake_locale_text.h"
#include "support/fake_processes.h"
#include "support/fake_windows.h"
#include "support/memory_list_view.h"

#include <gtest/gtest.h>

using namespace tw;
using namespace tw::test;

namespace {

class CloseEngineTest : public ::testing::Test {
  protected:
    std::vector<std::string> actions() const {
        std::vector<std::string> result;
        for (int row = 1; row <= list.count(); ++row)
            result.push_back(list.subItem(row, 1));
        return result;
    }

    FakeClock clock;
    FakeLocaleText locale;
    MemoryListView list{"ListView3"};
    HistoryLog history{list, clock, locale};
    FakeProcesses processes;
    FakeWindows windows;
    CloseEngine engine{processes, windows, locale, history};
};

TEST_F(CloseEngineTest, SoftCloseAsksEveryWindowOfEachMatchingProcessTopmostFirst) {
    processes.add(10, "/usr/bin/xedit");
    processes.add(11, "/usr/bin/xterm");
    processes.add(12, "/opt/XEdit");
    processes.add(13, "/usr/local/bin/xedit");
    windows.add(100, 11);
    windows.add(101, 10);
    windows.add(102, 13);
    windows.add(103, 10);
    engine.softClose("XEDIT");
    EXPECT_EQ(windows.requests, (std::vector<WindowId>{101, 103, 102}));
    EXPECT_EQ(actions(), std::vector<std::string>(3, "Close file XEDIT"));
    ASSERT_EQ(windows.windows.size(), 1u);
    EXPECT_EQ(windows.windows[0].id, 100u);
}

TEST_F(CloseEngineTest, SoftCloseComparesWholeNamesOnly) {
    processes.add(10, "/usr/bin/xedit");
    windows.add(100, 10);
    for (const char* entry : {"xedi", "xedit.exe", "/usr/bin/xedit", "", "bin"})
        engine.softClose(entry);
    EXPECT_TRUE(windows.requests.empty());
    EXPECT_EQ(list.count(), 0);
}

TEST_F(CloseEngineTest, WindowThatStaysIsAskedOnceAndTheLoopEnds) {
    processes.add(10, "/usr/bin/stubborn");
    windows.add(100, 10);
    windows.add(101, 10);
    windows.refusing = {100, 101};
    engine.softClose("stubborn");
    EXPECT_EQ(windows.requests, (std::vector<WindowId>{100, 101}));
    EXPECT_EQ(list.count(), 2);
}

// A window that refuses our messages (a program run as administrator) stays open: its row
// says the request never reached it, and the process's other windows are still asked.
TEST_F(CloseEngineTest, UndeliveredRequestIsSaidInItsRow) {
    processes.add(10, "/usr/bin/admin-tool");
    windows.add(100, 10);
    windows.add(101, 10);
    windows.undeliverable = {100};
    const std::optional<std::string> failure = engine.softClose("admin-tool");
    EXPECT_EQ(windows.requests, (std::vector<WindowId>{100, 101}));
    EXPECT_EQ(failure, actions().front()) << "the failing row is what a firing reports";
    EXPECT_EQ(actions(), (std::vector<std::string>{
                             "Close file admin-tool \xE2\x80\x94 the close request could not be "
                             "delivered: Access is denied.",
                             "Close file admin-tool"}));
    ASSERT_EQ(windows.windows.size(), 1u);
    EXPECT_EQ(windows.windows[0].id, 100u);
}

TEST_F(CloseEngineTest, OnlyWindowsThereAtTheStartAreAskedAndNeverADialog) {
    // An editor: its request on 100 opens a question (200) and takes 102 with it.
    processes.add(10, "/usr/bin/editor");
    processes.add(11, "/opt/editor");
    windows.add(100, 10);
    windows.add(101, 10, true);
    windows.add(102, 10);
    windows.add(103, 10);
    windows.onRequest = [&](WindowId id) {
        if (id != 100)
            return;
        windows.add(200, 10);
        windows.add(201, 11); // the other copy opens its first window meanwhile
        std::erase_if(windows.windows, [](const TopLevelWindow& w) { return w.id == 102; });
    };
    engine.softClose("editor");
    EXPECT_EQ(windows.requests, (std::vector<WindowId>{100, 103}));
    EXPECT_EQ(list.count(), 2);
}

TEST_F(CloseEngineTest, SoftCloseSparesOurOwnProcess) {
    processes.add(processes.self, "/usr/bin/tidewell");
    processes.add(20, "/home/u/tidewell");
    windows.add(100, processes.self);
    windows.add(101, 20);
    engine.softClose("tidewell");
    EXPECT_EQ(windows.requests, (std::vector<WindowId>{101}));
}

TEST_F(CloseEngineTest, NoWindowSystemFailsTheEntryBeforeAnyRow) {
    windows.noDisplay = "No X display could be reached";
    EXPECT_THROW(engine.softClose("anything"), std::runtime_error);
    EXPECT_EQ(list.count(), 0);
}

TEST_F(CloseEngineTest, HardCloseKillsEveryPathContainingTheEntryIgnoringCase) {
    processes.add(10, "/opt/Notepad Tools/run");
    processes.add(11, "/usr/bin/notepad");
    processes.add(12, "/usr/bin/xterm");
    processes.add(13, ""); // an executable we may not read
    processes.add(14, "/usr/lib/notepad-helper");
    processes.protectedPids = {14};
    engine.hardClose("NotePad");
    EXPECT_EQ(processes.killed, (std::vector<int>{10, 11}));
    EXPECT_EQ(actions(), std::vector<std::string>(2, "Close file NotePad"));
    EXPECT_TRUE(processes.isRunning(12));
}

TEST_F(CloseEngineTest, HardCloseLooksAtTheFirst255CharactersOfThePath) {
    const std::string folder = "/" + std::string(250, 'a') + "/";
    processes.add(10, folder + "tool");                 // "tool" starts at character 253
    processes.add(11, folder.substr(0, 248) + "/tool"); // ends at character 253
    engine.hardClose("tool");
    EXPECT_EQ(processes.killed, (std::vector<int>{11}));
}

TEST_F(CloseEngineTest, HardCloseSparesUsAndTheSessionsHoldersSaysSoAndNeverTakesEmpty) {
    processes.add(processes.self, "/usr/bin/tidewell");
    processes.add(2, "/usr/bin/dbus-daemon");
    processes.add(3, "/usr/bin/bash");
    processes.add(10, "/usr/bin/other");
    processes.sparedList = {{2, "session bus"}, {3, "started Tidewell"}};
    engine.hardClose("");
    EXPECT_EQ(processes.sparedScans, 0) << "nothing matched: the holders were not looked for";
    engine.hardClose("/usr/bin/");
    EXPECT_EQ(processes.killAttempts, (std::vector<int>{10}));
    EXPECT_EQ(actions(),
              (std::vector<std::string>{
                  "Close file /usr/bin/",
                  "Close file /usr/bin/ \xE2\x80\x94 spared: tidewell (Tidewell itself), "
                  "dbus-daemon (session bus), bash (started Tidewell)"}));
}

// A hard close that ended none of the processes it matched has failed, and says why; one
// that ended some, or matched nothing, has not.
TEST_F(CloseEngineTest, HardCloseThatEndsNothingItMatchedIsAFailureWithItsReason) {
    processes.add(10, "/usr/lib/helper");
    processes.add(11, "/usr/bin/other");
    processes.add(2, "/usr/bin/dbus-daemon");
    processes.protectedPids = {10};
    processes.sparedList = {{2, "session bus"}};
    const std::string refused = "Close file helper \xE2\x80\x94 nothing ended: its processes "
                                "had already gone or could not be ended";
    const std::string spared = "Close file dbus \xE2\x80\x94 spared: dbus-daemon (session bus)";
    EXPECT_EQ(engine.close("helper", CloseMethod::Hard), refused);
    EXPECT_EQ(engine.close("dbus", CloseMethod::Hard), spared);
    EXPECT_EQ(engine.close("absent", CloseMethod::Hard), std::nullopt);
    EXPECT_EQ(engine.close("/usr/", CloseMethod::Hard), std::nullopt) << "other was ended";
    EXPECT_EQ(actions(), (std::vector<std::string>{
                             refused, spared, "Close file /usr/",
                             "Close file /usr/ \xE2\x80\x94 spared: dbus-daemon (session bus)"}));
}

TEST_F(CloseEngineTest, CloseProgramFollowsTheMethod) {
    processes.add(10, "/usr/bin/xedit");
    windows.add(100, 10);
    engine.close("xedit", CloseMethod::None);
    EXPECT_TRUE(windows.requests.empty());
    EXPECT_TRUE(processes.killAttempts.empty());
    engine.close("xedit", CloseMethod::Soft);
    EXPECT_EQ(windows.requests.size(), 1u);
    EXPECT_TRUE(processes.killAttempts.empty());
    engine.close("xedit", CloseMethod::Hard);
    EXPECT_EQ(processes.killed, (std::vector<int>{10}));
}

} // namespace
