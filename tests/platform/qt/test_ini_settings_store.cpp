#include "platform/common/safe_settings_store.h"
#include "platform/qt/ini_settings_store.h"
#include "settings/settings.h"
#include "support/memory_list_view.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
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

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeAll(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

TEST_F(IniStore, WritesTheUsersQuillmarkFileInTheTidewellGroup) {
    settings.save("Option1", "3");
    settings.save("Weekly Time", "9:00:00 AM");
    const std::string text = fileText();
    EXPECT_NE(text.find("[Tidewell]"), std::string::npos) << text;
    EXPECT_NE(text.find("Option1=3"), std::string::npos) << text;
    EXPECT_EQ(settings.get("Weekly Time", "x"), "9:00:00 AM");
    EXPECT_EQ(settings.get("Option7", "1"), "1");
}

TEST_F(IniStore, HostileTextsRoundTrip) {
    const std::vector<std::string> texts = {
        "a,b,c",       "\"quoted\"",    "key=value",        "semi;colon",
        "#hash",       "back\\slash\\", "  padded  ",       "Grüße ☃ 日本",
        "@Variant(x)", "line\nbreak",   "tab\there",        "",
        "[Tidewell]",  "%20percent",    "ends with blank ", ";",
    };
    for (size_t i = 0; i < texts.size(); ++i)
        settings.save("Key" + std::to_string(i), texts[i]);
    for (size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(settings.get("Key" + std::to_string(i), "missing"), texts[i]) << i;
}

TEST_F(IniStore, TenThousandRowsRoundTrip) {
    MemoryListView list("ListView1");
    for (int i = 0; i < 10000; ++i)
        list.addRow("/opt/prog " + std::to_string(i) + "/bin, \"x\"=y;#");
    settings.saveList(list);
    MemoryListView back("ListView1");
    settings.loadList(back);
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
        EXPECT_EQ(settings.get("Text2", "30"), "30");
        settings.save("Text2", "45");
        EXPECT_EQ(settings.get("Text2", "30"), "45");
    }
}

TEST_F(IniStore, UnwritableFolderIsReported) {
    IniSettingsStore blocked("/proc/tidewell-no-such-dir");
    EXPECT_THROW(blocked.save("Quillmark", "Tidewell", "Text1", "1"), std::runtime_error);
    EXPECT_EQ(blocked.get("Quillmark", "Tidewell", "Text1", "0"), "0");
}

// The file is shared by the vendor's programs. What Qt would drop or change at the first write
// (another program's broken section, a stray line among our own keys, bytes that are not
// UTF-8, a key present twice whose first value is shadowed) is copied byte for byte before
// that write and told once; what parses loads and is written as before. A NUL that would cut
// an entry short is shown as U+FFFD and told the same way.
TEST_F(IniStore, TextAWriteWouldChangeIsCopiedFirstAndToldOnce) {
    const std::string path = dir.path().toStdString() + "/Quillmark.ini";
    const std::string copy =
        path + ".unreadable-" + QDate::currentDate().toString(Qt::ISODate).toStdString();
    const std::string sep = kListItemSeparator;
    const std::string rest = "/bin/true" + sep + "\nListView2=xedit" + sep + "\n";
    struct Case {
        std::string original, reason, firstRow;
    };
    const std::vector<Case> cases = {
        {"[Inkwell]\nthis line has no equals sign\nZoom=2\n[Tidewell]\nListView1=/usr/bin/xedit" +
             sep + rest + "stray\nText2=45\n",
         "some of its lines could not be read", "/usr/bin/xedit"},
        {"[Tidewell]\nListView1=/tmp/caf\xe9" + sep + rest + "Text2=45\n[Inkwell]\nZoom=2\n",
         "not UTF-8", ""},
        {"[Tidewell]\nListView1=/tmp/a" + std::string(1, '\0') + "b" + sep + rest +
             "Text2=45\n[Inkwell]\nZoom=2\n",
         "NUL", "/tmp/a\uFFFDb"},
        {"[Tidewell]\nListView1=/usr/bin/xedit" + sep + rest +
             "Text2=10\n[Inkwell]\nZoom=2\n"
             "[Tidewell]\nText2=45\n",
         "Text2 appears more than once", "/usr/bin/xedit"},
    };
    for (const auto& [original, reason, firstRow] : cases) {
        QFile::remove(QString::fromStdString(copy));
        writeAll(path, original);
        std::vector<std::string> told;
        for (int run = 0; run < 2; ++run) {
            IniSettingsStore file;
            SafeSettingsStore safe(file, [&](const std::string& m) { told.push_back(m); });
            Settings start(safe);
            MemoryListView run1("ListView1"), close("ListView2");
            start.loadList(run1);
            start.loadList(close);
            ASSERT_EQ(run1.count(), 2) << reason << run;
            if (!firstRow.empty()) {
                EXPECT_EQ(run1.text(1), firstRow) << reason;
            }
            EXPECT_EQ(run1.text(2), "/bin/true");
            ASSERT_EQ(close.count(), 1);
            EXPECT_EQ(start.get("Text2", "30"), "45");
            start.save("Text1", "1");
            start.saveList(run1);
            start.saveList(close);
        }
        ASSERT_EQ(told.size(), 1u) << reason;
        EXPECT_NE(told[0].find(reason), std::string::npos) << told[0];
        EXPECT_NE(told[0].find(copy), std::string::npos) << told[0];
        EXPECT_EQ(readAll(copy), original) << reason;
        const std::string after = readAll(path);
        for (const char* line : {"Zoom=2\n", "Text1=1\n"})
            EXPECT_NE(after.find(line), std::string::npos) << reason << after;
    }

    // Text that is whole is neither copied nor told of, however often it is read.
    QFile::remove(QString::fromStdString(copy));
    writeAll(path, "[Tidewell]\nListView1=/tmp/Grüße ☃" + sep +
                       "\n[General]\nText2=1\n"
                       "[Inkwell]\nText2=2\n; Text2=3\nLong=a\\\nText2=4\n");
    std::vector<std::string> told;
    IniSettingsStore file;
    SafeSettingsStore safe(file, [&](const std::string& m) { told.push_back(m); });
    Settings start(safe);
    for (int i = 0; i < 3; ++i)
        start.save("Text1", std::to_string(i));
    EXPECT_TRUE(told.empty()) << told.front();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(copy)));
}

// Runs the body in a child process without root's power over file modes; the child's
// failures are printed by the child and fail the parent through its exit status.
template <class Body> void asOrdinaryUser(const std::string& folder, Body body) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 &&
            (chown(folder.c_str(), 65534, 65534) != 0 || setresgid(65534, 65534, 65534) != 0 ||
             setresuid(65534, 65534, 65534) != 0))
            _exit(3);
        body();
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

// A store that cannot be written: one warning with the reason and the path, the edits kept
// in memory and written at the first change after the store can be written again, the old
// file intact meanwhile. A file that cannot be read is never written back.
TEST_F(IniStore, UnwritableAndUnreadableStoresLoseNothing) {
    const std::string folder = dir.path().toStdString();
    asOrdinaryUser(folder, [&] {
        const std::string path = folder + "/Quillmark.ini";
        const std::string before = "[Tidewell]\nText1=0\nListView1=/bin/true||||||||---|||\n";
        for (const bool folderReadOnly : {false, true}) {
            writeAll(path, before);
            chmod((folderReadOnly ? folder : path).c_str(), folderReadOnly ? 0555 : 0444);
            std::vector<std::string> told;
            IniSettingsStore file;
            SafeSettingsStore safe(file, [&](const std::string& m) { told.push_back(m); });
            Settings s(safe);
            for (const char* typed : {"1", "12", "125"})
                s.save("Text1", typed);
            s.save("Text2", "7");
            ASSERT_EQ(told.size(), 1u) << folderReadOnly;
            EXPECT_NE(told[0].find(path), std::string::npos) << told[0];
            EXPECT_NE(told[0].find(folderReadOnly ? "folder" : "read-only"), std::string::npos)
                << told[0];
            EXPECT_EQ(s.get("Text1"), "125");
            EXPECT_EQ(readAll(path), before);

            chmod(folder.c_str(), 0755);
            chmod(path.c_str(), 0644);
            s.save("Text3", "9");
            ASSERT_EQ(told.size(), 2u);
            EXPECT_NE(told[1].find("again"), std::string::npos) << told[1];
            const std::string after = readAll(path);
            for (const char* line :
                 {"Text1=125\n", "Text2=7\n", "Text3=9\n", "ListView1=/bin/true||||||||---|||\n"})
                EXPECT_NE(after.find(line), std::string::npos) << line << after;
        }

        writeAll(path, before);
        chmod(path.c_str(), 0);
        std::vector<std::string> told;
        IniSettingsStore file;
        SafeSettingsStore safe(file, [&](const std::string& m) { told.push_back(m); });
        Settings s(safe);
        MemoryListView list("ListView1");
        s.loadList(list);
        EXPECT_EQ(list.count(), 0);
        s.saveList(list);
        ASSERT_EQ(told.size(), 1u);
        EXPECT_NE(told[0].find("Permission denied"), std::string::npos) << told[0];
        chmod(path.c_str(), 0644);
        EXPECT_EQ(readAll(path), before);
    });
}

// A key saved again is written as Qt itself would write the whole file, byte for byte (other
// programs and earlier versions read it), and this program reads the new value at once, even
// when the file keeps its size and is rewritten within the same millisecond.
TEST_F(IniStore, SavingAKeyAgainWritesWhatQtWouldWrite) {
    QTemporaryDir qtDir;
    const QString qtPath = qtDir.path() + "/Quillmark.ini";
    const auto qtSave = [&](const char* section, const std::string& key, const std::string& value) {
        QSettings qt(qtPath, QSettings::IniFormat);
        qt.setValue(QString(section) + "/" + QString::fromStdString(key),
                    QString::fromStdString(value));
        qt.sync();
    };
    const auto bothSave = [&](const char* section, const std::string& key,
                              const std::string& value) {
        store.save("Quillmark", section, key, value);
        qtSave(section, key, value);
    };
    bothSave("Tidewell", "Text1", "1");
    bothSave("Tidewell", "ListView1", "seed");
    bothSave("Tidewell", "Weekly Time", "9:00:00 AM");
    bothSave("Inkwell", "Zoom", "2");
    std::string rows;
    for (int i = 0; i < 10000; ++i)
        rows += "/opt/Tool " + std::to_string(i) + "/bin, \"x\"=y;#\\" + kListItemSeparator;
    const std::vector<std::string> texts = {
        "plain",
        "",
        " lead",
        "trail ",
        "a,b",
        "x=y",
        "semi;colon",
        "\"q\" back\\sl",
        "tab\tend\n",
        "\x01"
        "a1F",
        "\x1f"
        "9z\x7f",
        "\x1b[0m",
        "Grüße ☃ 日本 😀",
        "[Tidewell]",
        "@at",
        "/tmp/caf\xe9",
        rows,
    };
    for (const std::string& text : texts) {
        for (const char* key : {"ListView1", "Weekly Time"}) {
            bothSave("Tidewell", key, text);
            ASSERT_EQ(fileText(), readAll(qtPath.toStdString())) << key << " = " << text;
        }
        // Text that is not UTF-8 reads back changed, as it always did.
        if (text.find('\xe9') == std::string::npos) {
            EXPECT_EQ(settings.get("ListView1"), text);
        }
    }
    for (int i = 0; i < 200; ++i) {
        settings.save("Text1", std::to_string(i % 10));
        ASSERT_EQ(settings.get("Text1"), std::to_string(i % 10)) << i;
    }
}

// Start-up stores every value it restores again: a value the file holds already leaves the
// file as it is, whoever wrote it last; any other value, or a file another program changed
// meanwhile, is written, and nothing the other program wrote is lost.
TEST_F(IniStore, AValueTheFileHoldsIsNotWrittenAgain) {
    const std::string path = dir.path().toStdString() + "/Quillmark.ini";
    const auto stamp = [&] {
        struct stat info {};
        EXPECT_EQ(stat(path.c_str(), &info), 0);
        return std::to_string(info.st_ino) + ":" + std::to_string(info.st_mtim.tv_sec) + "." +
               std::to_string(info.st_mtim.tv_nsec);
    };
    writeAll(path,
             "[Tidewell]\nCheck1=1\nListView1=a||||||||---|||\nText1=30\nWeekly%20Time=09:00:00\n");
    EXPECT_EQ(settings.get("Check1", "0"), "1");
    std::string before = stamp();
    settings.save("Check1", "1");
    settings.save("ListView1", "a||||||||---|||");
    settings.save("Weekly Time", "09:00:00");
    EXPECT_EQ(stamp(), before);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path + ".lock")));

    settings.save("Text1", "45");
    EXPECT_NE(stamp(), before);
    before = stamp();
    settings.save("Text1", "45");
    EXPECT_EQ(stamp(), before);

    {
        QSettings other(QString::fromStdString(path), QSettings::IniFormat);
        other.setValue("Tidewell/Text1", "30");
        other.setValue("Tidewell/Text2", "7");
        other.sync();
    }
    settings.save("Text1", "45");
    settings.save("Check1", "0");
    settings.save("Weekly Time", "10:00:00");
    EXPECT_EQ(fileText(), "[Tidewell]\nCheck1=0\nListView1=a||||||||---|||\nText1=45\nText2=7\n"
                          "Weekly%20Time=10:00:00\n");
    EXPECT_EQ(settings.get("Text1", ""), "45");
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
        settings.save("parent" + std::to_string(i), std::to_string(i));
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    for (int i = 0; i < perWriter; ++i) {
        EXPECT_EQ(settings.get("parent" + std::to_string(i)), std::to_string(i));
        EXPECT_EQ(settings.get("child" + std::to_string(i)), std::to_string(i));
    }
}

// One copy reads while another creates the file, then writes itself: the creator's value
// stays. Each round starts without the file; the reader reads until the creator's write is in.
TEST_F(IniStore, AReaderOfTheFileBeingCreatedKeepsTheCreatorsValue) {
    const int rounds = 40;
    for (int round = 0; round < rounds; ++round) {
        const std::string application = "Round" + std::to_string(round);
        const QString file = QString::fromStdString(store.filePath(application));
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            IniSettingsStore own;
            while (QFileInfo(file).size() == 0)
                own.get(application, "Tidewell", "creator", "");
            own.save(application, "Tidewell", "reader", "1");
            _exit(0);
        }
        store.save(application, "Tidewell", "creator", "1");
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        EXPECT_EQ(store.get(application, "Tidewell", "creator", "lost"), "1") << round;
        EXPECT_EQ(store.get(application, "Tidewell", "reader", "lost"), "1") << round;
    }
}

} // namespace
} // namespace tw
