#include "core/memory_list_view.h"
#include "platform/qt/ini_settings_store.h"
#include "settings/settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tw {
namespace {

class IniStore : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        setenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit().constData(), 1);
    }
    std::string fileText() const {
        std::ifstream in(dir.path().toStdString() + "/Quillmark.ini");
        return {std::istreambuf_iterator<char>(in), {}};
    }
    QTemporaryDir dir;
    IniSettingsStore store;
    Settings settings{store};
};

TEST_F(IniStore, WritesTheUsersQuillmarkFileInTheTidewellGroup) {
    settings.SaveSetting("Option1", "3");
    settings.SaveSetting("Weekly Time", "9:00:00 AM");
    const std::string text = fileText();
    EXPECT_NE(text.find("[Tidewell]"), std::string::npos) << text;
    EXPECT_NE(text.find("Option1=3"), std::string::npos) << text;
    EXPECT_EQ(settings.GetSetting("Weekly Time", "x"), "9:00:00 AM");
    EXPECT_EQ(settings.GetSetting("Option7", "1"), "1");
}

TEST_F(IniStore, HostileTextsRoundTrip) {
    const std::vector<std::string> texts = {
        "a,b,c",       "\"quoted\"",    "key=value",        "semi;colon",
        "#hash",       "back\\slash\\", "  padded  ",       "Grüße ☃ 日本",
        "@Variant(x)", "line\nbreak",   "tab\there",        "",
        "[Tidewell]",  "%20percent",    "ends with blank ", ";",
    };
    for (size_t i = 0; i < texts.size(); ++i)
        settings.SaveSetting("Key" + std::to_string(i), texts[i]);
    for (size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(settings.GetSetting("Key" + std::to_string(i), "missing"), texts[i]) << i;
}

TEST_F(IniStore, TenThousandRowsRoundTrip) {
    MemoryListView list("ListView1");
    for (int i = 0; i < 10000; ++i)
        list.addRow("/opt/prog " + std::to_string(i) + "/bin, \"x\"=y;#");
    settings.SaveListItems(list);
    MemoryListView back("ListView1");
    settings.LoadListItems(back);
    ASSERT_EQ(back.count(), 10000);
    for (int i = 1; i <= 10000; i += 997)
        EXPECT_EQ(back.text(i), list.text(i));
}

TEST_F(IniStore, GarbageFilesGiveDefaultsAndAreReplacedOnSave) {
    for (const char* garbage : {"\xff\xfe\x00garbage[[[\n=\n", "[Tidewell]\nOption1", "[Tide"}) {
        {
            std::ofstream out(dir.path().toStdString() + "/Quillmark.ini", std::ios::binary);
            out << garbage;
        }
        EXPECT_EQ(settings.GetSetting("Text2", "30"), "30");
        settings.SaveSetting("Text2", "45");
        EXPECT_EQ(settings.GetSetting("Text2", "30"), "45");
    }
}

TEST_F(IniStore, UnwritableFolderIsReported) {
    IniSettingsStore blocked("/proc/tidewell-no-such-dir");
    EXPECT_THROW(blocked.save("Quillmark", "Tidewell", "Text1", "1"), std::runtime_error);
    EXPECT_EQ(blocked.get("Quillmark", "Tidewell", "Text1", "0"), "0");
}

// Two copies of the program write at the same time: no value is lost and the file is
// never seen torn by a reader.
TEST_F(IniStore, ConcurrentWritersKeepEveryKey) {
    const int perWriter = 60;
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        IniSettingsStore own;
        for (int i = 0; i < perWriter; ++i)
            own.save("Quillmark", "Tidewell", "child" + std::to_string(i), std::to_string(i));
        _exit(0);
    }
    for (int i = 0; i < perWriter; ++i)
        settings.SaveSetting("parent" + std::to_string(i), std::to_string(i));
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    for (int i = 0; i < perWriter; ++i) {
        EXPECT_EQ(settings.GetSetting("parent" + std::to_string(i)), std::to_string(i));
        EXPECT_EQ(settings.GetSetting("child" + std::to_string(i)), std::to_string(i));
    }
}

} // namespace
} // namespace tw
