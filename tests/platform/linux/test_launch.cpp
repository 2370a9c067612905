// Real launches through GIO and the detached start, in temp folders. The default handler
// for text files is set up per user in a temp XDG_DATA_HOME / XDG_CONFIG_HOME before GIO
// reads its application database, which is why this file has its own main().
#include "history/history_log.h"
#include "platform/linux/child_process.h"
#include "platform/linux/gio_launcher.h"
#include "run/run_file.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_locale_text.h"
#include "support/memory_list_view.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>

using namespace tw;
using namespace tw::test;

namespace {

TempDir* xdg = nullptr; // the per-user data and config folders of this run

// A script that writes its working folder, argument count, arguments, parent and open
// descriptors to `record`, then ends.
std::string recorder(const std::string& record) {
    return "#!/bin/sh\n"
           "{ echo \"cwd=$PWD\"; echo \"argc=$#\"; echo \"args=$*\";\n"
           "  echo \"ppid=$(cut -d' ' -f4 /proc/$$/stat)\"; ls /proc/$$/fd | tr '\\n' ' '; echo;\n"
           "} > '" +
           record +
           ".tmp'\n"
           "mv '" +
           record + ".tmp' '" + record + "'\n";
}

bool appears(const std::string& path) {
    return eventually([&] { return std::filesystem::exists(path); });
}

// No child of ours is left behind, not even a zombie.
bool noChildren() {
    return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

class LaunchTest : public ::testing::Test {
  protected:
    TempDir dir;
    GioLauncher launcher;
};

TEST_F(LaunchTest, ExecutableStartsDetachedInTheRootWithoutArgumentsOrOurDescriptors) {
    writeFile(dir / "tool.sh", recorder(dir / "record"), true);
    // A descriptor we leave inheritable on purpose: the program must not get it.
    const int leak = open("/dev/null", O_RDONLY);
    ASSERT_GE(dup2(leak, 57), 0);
    launcher.openFile(dir / "tool.sh", "/");
    close(57);
    close(leak);
    ASSERT_TRUE(appears(dir / "record"));
    const std::string record = readFile(dir / "record");
    EXPECT_NE(record.find("cwd=/\n"), std::string::npos) << record;
    EXPECT_NE(record.find("argc=0\n"), std::string::npos) << record;
    EXPECT_EQ(record.find("ppid=" + std::to_string(getpid()) + "\n"), std::string::npos) << record;
    EXPECT_EQ(record.find(" 57 "), std::string::npos) << record;
    EXPECT_TRUE(noChildren());
}

TEST_F(LaunchTest, PathWithBlanksWorks) {
    std::filesystem::create_directory(dir / "My Tools");
    writeFile(dir / "My Tools/run me.sh", recorder(dir / "record"), true);
    launcher.openFile(dir / "My Tools/run me.sh", "/");
    ASSERT_TRUE(appears(dir / "record"));
    EXPECT_NE(readFile(dir / "record").find("argc=0\n"), std::string::npos);
}

TEST_F(LaunchTest, EntriesWithArgumentsOrShellSyntaxStartNothing) {
    writeFile(dir / "tool.sh", recorder(dir / "record"), true);
    writeFile(dir / "x", recorder(dir / "record"), true);
    const std::vector<std::string> entries = {
        dir / "tool.sh --silent",
        dir / "x; touch " + dir / "pwned",
        dir / "x && touch " + dir / "pwned",
        "$(touch " + dir / "pwned" + ")",
        "`touch " + dir / "pwned" + "`",
        dir / "x | touch " + dir / "pwned",
    };
    for (const std::string& entry : entries)
        EXPECT_THROW(launcher.openFile(entry, "/"), LaunchFailed) << entry;
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(std::filesystem::exists(dir / "record"));
    EXPECT_FALSE(std::filesystem::exists(dir / "pwned"));
}

TEST_F(LaunchTest, MissingOrUnrunnableFilesFailWithTheReason) {
    try {
        launcher.openFile(dir / "missing.sh", "/");
        ADD_FAILURE() << "no failure";
    } catch (const LaunchFailed& e) {
        EXPECT_NE(std::string(e.what()).find("No such file"), std::string::npos) << e.what();
    }
    // Executable but not a program the kernel can run, and no shell to fall back on.
    writeFile(dir / "garbage", "not a program\n", true);
    EXPECT_THROW(launcher.openFile(dir / "garbage", "/"), LaunchFailed);
    EXPECT_TRUE(noChildren());
}

TEST_F(LaunchTest, TrustedDesktopEntryRunsItsExecLineAndNoOtherDoes) {
    std::filesystem::create_directory(dir / "with blank");
    writeFile(dir / "with blank/tool.sh", recorder(dir / "record"), true);
    const std::string entry = "[Desktop Entry]\nType=Application\nName=Tool\nExec=\"" +
                              dir / "with blank/tool.sh" + "\" one two\n";
    // Neither executable nor in an applications folder: a download, say. It runs nothing.
    writeFile(dir / "Untrusted.desktop", entry);
    try {
        launcher.openFile(dir / "Untrusted.desktop", "/");
        ADD_FAILURE() << "an untrusted entry was run";
    } catch (const LaunchFailed& e) {
        EXPECT_NE(e.reason().find("untrusted desktop entry"), std::string::npos) << e.reason();
    }
    // Trusted because it is executable, or because it lies in the user's applications folder.
    writeFile(dir / "Tool.desktop", entry, true);
    writeFile(*xdg / "data/applications/tidewell-test-tool.desktop", entry);
    for (const std::string& trusted :
         {dir / "Tool.desktop", *xdg / "data/applications/tidewell-test-tool.desktop"}) {
        std::filesystem::remove(dir / "record");
        launcher.openFile(trusted, "/");
        ASSERT_TRUE(appears(dir / "record")) << trusted;
        const std::string record = readFile(dir / "record");
        EXPECT_NE(record.find("cwd=/\n"), std::string::npos) << record;
        EXPECT_NE(record.find("args=one two\n"), std::string::npos) << record;
    }
    EXPECT_TRUE(eventually(noChildren));
}

TEST_F(LaunchTest, DocumentOpensWithTheUsersDefaultHandler) {
    writeFile(dir / "notes.txt", "hello\n");
    launcher.openFile(dir / "notes.txt", "/");
    const std::string record = *xdg / "handled";
    ASSERT_TRUE(appears(record));
    const std::string text = readFile(record);
    EXPECT_NE(text.find("cwd=/\n"), std::string::npos) << text;
    EXPECT_NE(text.find("args=" + dir / "notes.txt" + "\n"), std::string::npos) << text;
    EXPECT_TRUE(eventually(noChildren));
}

TEST_F(LaunchTest, FileWithoutAHandlerFails) {
    writeFile(dir / "data.tidewell-unknown", std::string("\0\1\2\3binary", 10));
    EXPECT_THROW(launcher.openFile(dir / "data.tidewell-unknown", "/"), LaunchFailed);
}

TEST_F(LaunchTest, RunFileLogsEveryAttemptQuietlyWithTheReasonWhenNothingStarted) {
    FakeClock clock;
    FakeLocaleText locale;
    MemoryListView list("ListView3");
    HistoryLog history(list, clock, locale);
    FakeDialogs dialogs;
    ProgramLauncher run(launcher, history, dialogs);
    writeFile(dir / "tool.sh", recorder(dir / "record"), true);
    writeFile(dir / "no-hash-bang", "echo hello\n", true);
    writeFile(dir / "Tool.desktop", "[Desktop Entry]\nType=Application\nName=T\nExec=/bin/true\n");
    run.run(dir / "tool.sh");
    run.run(dir / "tool.sh /s");
    run.run("~/tool.sh");
    run.run(dir / "no-hash-bang");
    run.run(dir / "Tool.desktop");
    ASSERT_TRUE(appears(dir / "record"));
    EXPECT_TRUE(dialogs.boxes.empty());
    const std::string notStarted = " \xE2\x80\x94 not started: ";
    const std::vector<std::string> rows = {
        "Run file " + dir / "tool.sh",
        "Run file " + dir / "tool.sh /s" + notStarted + "no such file",
        "Run file ~/tool.sh" + notStarted +
            "no such file (\"~\" is not expanded: give the full path)",
        "Run file " + dir / "no-hash-bang" + notStarted +
            "not a program this system can run (a script needs a #! line)",
        "Run file " + dir / "Tool.desktop" + notStarted +
            "untrusted desktop entry (not executable and not in an applications folder)",
    };
    ASSERT_EQ(list.count(), static_cast<int>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(list.subItem(static_cast<int>(i) + 1, 1), rows[i]);
}

TEST(Editor, IsARealProgramOnThisSystem) {
    GioLauncher launcher;
    ASSERT_FALSE(launcher.editorFileName().empty());
    const std::string path = launcher.editorDirectory() + "/" + launcher.editorFileName();
    EXPECT_EQ(access(path.c_str(), X_OK), 0) << path;
}

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    TempDir home;
    xdg = &home;
    std::filesystem::create_directories(home / "data/applications");
    std::filesystem::create_directories(home / "config");
    writeFile(home / "viewer.sh", recorder(home / "handled"), true);
    writeFile(home / "data/applications/tidewell-test-viewer.desktop",
              "[Desktop Entry]\nType=Application\nName=Viewer\nExec=" + home / "viewer.sh" +
                  " %f\nMimeType=text/plain;\n");
    writeFile(home / "config/mimeapps.list",
              "[Default Applications]\ntext/plain=tidewell-test-viewer.desktop\n");
    setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    return RUN_ALL_TESTS();
}
