// Soft close on a Wayland desktop that lets no program list or close another's windows
// (GNOME's case: here a headless sway whose IPC this process is not told of), on a private
// session bus: a GApplication takes the quit request, an X program under Xwayland is asked
// through X, and a native Wayland program that neither can reach is named, not skipped.
#include "close/close_engine.h"
#include "history/history_log.h"
#include "platform/linux/child_process.h"
#include "platform/linux/proc_processes.h"
#include "platform/linux/session_windows.h"
#include "platform/qt/qt_locale_text.h"
#include "support/fake_clock.h"
#include "support/memory_list_view.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace tw;
using namespace tw::test;

namespace {

class NoWindowListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(std::getenv("WAYLAND_DISPLAY") && std::getenv("DBUS_SESSION_BUS_ADDRESS"));
        ASSERT_FALSE(std::getenv("SWAYSOCK")) << "this desktop must offer no window list";
    }
    bool listed(int pid) {
        for (const TopLevelWindow& w : windows->closableWindows())
            if (w.pid == pid)
                return true;
        return false;
    }
    int rows(const std::string& entry) {
        int count = 0;
        for (int row = 1; row <= list.count(); ++row)
            count += list.subItem(row, 1) == "Close file " + entry;
        return count;
    }

    FakeClock clock;
    QtLocaleText locale;
    MemoryListView list{"ListView3"};
    HistoryLog history{list, clock, locale};
    ProcProcesses processes;
    std::unique_ptr<Windows> windows = makeSessionWindows(nullptr);
    CloseEngine engine{processes, *windows, locale, history};
};

TEST_F(NoWindowListTest, GApplicationQuitsOnRequestAndOneThatAsksKeepsRunning) {
    {
        Child app({GAPP_TEST_CLIENT});
        ASSERT_EQ(app.readLine(), "ready");
        ASSERT_TRUE(eventually([&] { return listed(app.pid()); }));
        engine.softClose("gapp_test_client");
        EXPECT_EQ(app.readLine(), "asked");
        EXPECT_NE(app.waitExit(), -1);
        EXPECT_EQ(rows("gapp_test_client"), 1);
    }
    Child asking({GAPP_TEST_CLIENT, "--ask"});
    ASSERT_EQ(asking.readLine(), "ready");
    ASSERT_TRUE(eventually([&] { return listed(asking.pid()); }));
    engine.softClose("gapp_test_client");
    EXPECT_EQ(asking.readLine(), "asked");
    EXPECT_TRUE(asking.running());
    EXPECT_EQ(rows("gapp_test_client"), 2);
}

TEST_F(NoWindowListTest, XwaylandCopyIsClosedAndTheNativeCopyIsNamedAsOutOfReach) {
    Child x11({"/usr/bin/env", "QT_QPA_PLATFORM=xcb", QT_TEST_CLIENT});
    Child native({"/usr/bin/env", "QT_QPA_PLATFORM=wayland", QT_TEST_CLIENT});
    ASSERT_EQ(x11.readLine(), "ready");
    ASSERT_EQ(native.readLine(), "ready");
    ASSERT_TRUE(eventually([&] { return listed(x11.pid()); }));
    try {
        engine.softClose("qt_test_client");
        ADD_FAILURE() << "the native copy was passed over in silence";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(),
                     "Soft close could not ask qt_test_client to close: this Wayland desktop "
                     "lets no program close another program's windows, and this program takes "
                     "no quit request over the session bus. Hard close works for it.");
    }
    EXPECT_EQ(x11.readLine(), "asked");
    EXPECT_NE(x11.waitExit(), -1);
    EXPECT_TRUE(native.running());
    EXPECT_EQ(rows("qt_test_client"), 1);
}

} // namespace
