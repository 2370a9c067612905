// Hard closes inside a desktop session of the test's own: a private PID namespace with Xvfb,
// openbox, trayer and a session bus (see CMakeLists.txt). Entries that match the session's
// own programs must end the ordinary programs only.
#include "close/close_engine.h"
#include "history/history_log.h"
#include "platform/linux/child_process.h"
#include "platform/linux/proc_processes.h"
#include "platform/linux/x11_windows.h"
#include "platform/qt/qt_locale_text.h"
#include "support/fake_clock.h"
#include "support/memory_list_view.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

using namespace tw;
using namespace tw::test;

namespace {

// Alive and not a zombie.
bool alive(int pid) {
    const std::string stat = readFile("/proc/" + std::to_string(pid) + "/stat");
    const auto close = stat.rfind(')');
    return close != std::string::npos && stat.size() > close + 2 && stat[close + 2] != 'Z';
}

TEST(SessionGuard, HardCloseEndsOrdinaryProgramsAndSparesTheSession) {
    // Outside its namespace this test would end the real session's programs.
    ASSERT_NE(readFile("/proc/1/cmdline").find("with-xvfb.sh"), std::string::npos)
        << "run this test only through in-pid-namespace.sh";
    ProcProcesses processes;
    std::map<std::string, int> session; // the session's programs by name
    for (const ProcessInfo& p : processes.list())
        session[p.name] = p.pid;
    for (const char* name : {"Xvfb", "openbox", "trayer", "dbus-daemon"})
        ASSERT_TRUE(session.count(name)) << name << " is not running";

    std::map<int, std::string> roles;
    for (const SparedProcess& s : processes.spared())
        roles.emplace(s.pid, s.role);
    EXPECT_EQ(roles[session["Xvfb"]], "display server");
    EXPECT_EQ(roles[session["openbox"]], "window manager");
    EXPECT_EQ(roles[session["trayer"]], "tray");
    EXPECT_EQ(roles[session["dbus-daemon"]], "session bus");
    EXPECT_EQ(roles[1], "started Tidewell");

    TempDir dir;
    std::filesystem::create_directory(dir / "a nap");
    std::filesystem::copy_file("/bin/sleep", dir / "a nap/napper");
    FakeClock clock;
    QtLocaleText locale;
    MemoryListView list("ListView3");
    HistoryLog history(list, clock, locale);
    X11Windows windows;
    CloseEngine engine(processes, windows, locale, history);
    for (const std::string entry : {"a", "/"}) {
        Child napper({dir / "a nap/napper", "60"});
        ASSERT_TRUE(eventually([&] {
            for (const ProcessInfo& p : processes.list())
                if (p.pid == napper.pid() && p.path == dir / "a nap/napper")
                    return true;
            return false;
        }));
        list.clear();
        engine.hardClose(entry);
        const int status = napper.waitExit();
        EXPECT_TRUE(status != -1 && WIFSIGNALED(status)) << entry << ": the ordinary program lives";
        for (const auto& [name, pid] : session)
            EXPECT_TRUE(alive(pid)) << entry << " ended " << name;
        ASSERT_GE(list.count(), 2) << entry;
        const std::string spared = list.subItem(list.count(), 1);
        EXPECT_EQ(spared.rfind("Close file " + entry + " \xE2\x80\x94 spared: ", 0), 0u) << spared;
        for (const char* name : {"trayer (tray)", "dbus-daemon (session bus)"})
            EXPECT_NE(spared.find(name), std::string::npos) << spared;
        if (entry == "/") {
            for (const char* name : {"Xvfb (display server)", "openbox (window manager)"})
                EXPECT_NE(spared.find(name), std::string::npos) << spared;
        }
    }
}

} // namespace
