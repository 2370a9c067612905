// The start-at-logon entry written into a temp XDG_CONFIG_HOME, and run the way a session
// runs it (GIO reads the entry and starts its Exec line).
#include "platform/linux/child_process.h"
#include "platform/linux/xdg_autostart.h"
#include "platform/qt/ini_settings_store.h"

#include <filesystem>
#include <gio/gdesktopappinfo.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

using namespace tw;
using namespace tw::test;

namespace {

class AutostartTest : public ::testing::Test {
  protected:
    void SetUp() override { setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1); }

    std::vector<std::string> filesIn(const std::string& folder) {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        return names;
    }

    TempDir dir;
};

TEST_F(AutostartTest, EntryRunsAProgramWhosePathNeedsQuoting) {
    const std::string folder = dir / "we ird \"q\" 'a' %d $HOME `id` back\\slash";
    std::filesystem::create_directories(folder);
    const std::string program = folder + "/Tide well";
    writeFile(program, "#!/bin/sh\necho \"ran $#\" > '" + dir / "ran" + "'\n", true);
    XdgAutostart autostart(program);
    EXPECT_EQ(autostart.executableName(), "Tide well");
    autostart.add("Tide well");

    const std::string entry = dir / "config/autostart/Tide well.desktop";
    ASSERT_EQ(XdgAutostart::entryPath("Tide well"), entry);
    EXPECT_EQ(filesIn(dir / "config/autostart"), std::vector<std::string>{"Tide well.desktop"})
        << "no temporary file is left behind";
    GDesktopAppInfo* app = g_desktop_app_info_new_from_filename(entry.c_str());
    ASSERT_NE(app, nullptr) << readFile(entry);
    GError* error = nullptr;
    const gboolean launched = g_app_info_launch(G_APP_INFO(app), nullptr, nullptr, &error);
    g_object_unref(app);
    ASSERT_TRUE(launched) << (error ? error->message : "");
    // The shell creates the file before echo fills it: wait for the line, not the file.
    EXPECT_TRUE(eventually([&] { return readFile(dir / "ran") == "ran 0\n"; }))
        << readFile(dir / "ran");
}

// An entry starts this program only as this program wrote it: one of another copy, or one
// the desktop's settings disabled, does not.
TEST_F(AutostartTest, AddReplacesAndRemoveDeletesQuietly) {
    XdgAutostart first("/opt/one/tidewell");
    EXPECT_FALSE(first.startsThisProgram("tidewell"));
    first.add("tidewell");
    EXPECT_TRUE(first.startsThisProgram("tidewell"));
    XdgAutostart second("/opt/two/tidewell");
    EXPECT_FALSE(second.startsThisProgram("tidewell"));
    second.add("tidewell");
    EXPECT_FALSE(first.startsThisProgram("tidewell"));
    const std::string text = readFile(dir / "config/autostart/tidewell.desktop");
    EXPECT_NE(text.find("Exec=\"/opt/two/tidewell\"\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Type=Application\n"), std::string::npos) << text;
    writeFile(dir / "config/autostart/tidewell.desktop", text + "Hidden=true\n");
    EXPECT_FALSE(second.startsThisProgram("tidewell"));
    EXPECT_FALSE(second.machineWideEntry("tidewell"));
    second.remove("tidewell");
    EXPECT_FALSE(std::filesystem::exists(dir / "config/autostart/tidewell.desktop"));
    EXPECT_NO_THROW(second.remove("tidewell"));
}

TEST_F(AutostartTest, FailuresReachTheCaller) {
    std::filesystem::create_directories(dir / "config");
    writeFile(dir / "config/autostart", "a file where the folder should be\n");
    XdgAutostart autostart("/opt/tidewell");
    EXPECT_THROW(autostart.add("tidewell"), std::runtime_error);
    EXPECT_THROW(autostart.add("../escape"), std::runtime_error);
    EXPECT_THROW(XdgAutostart("").add("tidewell"), std::runtime_error);
}

TEST_F(AutostartTest, WithoutXdgConfigHomeTheEntryGoesUnderHome) {
    unsetenv("XDG_CONFIG_HOME");
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", dir.path().c_str(), 1);
    EXPECT_EQ(XdgAutostart::entryPath("tidewell"), dir / ".config/autostart/tidewell.desktop");
    // Without HOME as well, the settings file and the entry still share one folder: that of
    // the user's home in the password database.
    unsetenv("HOME");
    const std::string config = std::string(getpwuid(getuid())->pw_dir) + "/.config";
    EXPECT_EQ(XdgAutostart::entryPath("tidewell"), config + "/autostart/tidewell.desktop");
    EXPECT_EQ(IniSettingsStore().filePath("Quillmark"), config + "/Quillmark.ini");
    setenv("HOME", home.c_str(), 1);
}

TEST(Autostart, NamesTheRunningExecutable) {
    EXPECT_EQ(XdgAutostart().executableName(), "test_xdg_autostart");
}

} // namespace
