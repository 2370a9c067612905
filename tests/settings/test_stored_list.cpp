#include "platform/services.h"
#include "schedule/stepped_timer.h"
#include "settings/settings.h"
#include "support/fake_autostart.h"
#include "support/fake_clipboard.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_launcher.h"
#include "support/fake_locale_text.h"
#include "support/fake_notifier.h"
#include "support/fake_processes.h"
#include "support/fake_settings_store.h"
#include "support/fake_tray_host.h"
#include "support/fake_windows.h"
#include "support/memory_list_view.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(StoredList, EveryRowIsFollowedByTheSeparator) {
    EXPECT_EQ(toStoredList({}), "");
    EXPECT_EQ(toStoredList({"C:\\Windows\\notepad.exe", "calc.exe"}),
              "C:\\Windows\\notepad.exe||||||||---|||calc.exe||||||||---|||");
}

TEST(StoredList, LoadingRules) {
    EXPECT_TRUE(fromStoredList("").empty());
    // The piece after the last separator is never used.
    EXPECT_EQ(fromStoredList("a||||||||---|||b"), (std::vector<std::string>{"a"}));
    EXPECT_TRUE(fromStoredList("lonely").empty());
    // Empty pieces are skipped.
    EXPECT_EQ(fromStoredList("a||||||||---|||||||||||---|||b||||||||---|||"),
              (std::vector<std::string>{"a", "b"}));
    // A row holding the separator comes back as two rows.
    EXPECT_EQ(fromStoredList(toStoredList({"x||||||||---|||y"})),
              (std::vector<std::string>{"x", "y"}));
    // Bars next to the separator belong to the rows.
    EXPECT_EQ(fromStoredList(toStoredList({"|a|", "||"})), (std::vector<std::string>{"|a|", "||"}));
}

TEST(StoredList, SaveAndLoadThroughTheListsControlName) {
    test::FakeSettingsStore store;
    Settings settings(store);
    MemoryListView run("ListView1");
    for (const char* row : {"/usr/bin/xterm", "  spaced  ", "/tmp/a b/c.sh"})
        run.addRow(row);
    settings.saveList(run);
    EXPECT_EQ(store.value("ListView1"),
              "/usr/bin/xterm||||||||---|||  spaced  ||||||||---|||/tmp/a b/c.sh||||||||---|||");

    MemoryListView loaded("ListView1");
    loaded.addRow("kept");
    settings.loadList(loaded);
    ASSERT_EQ(loaded.count(), 4);
    EXPECT_EQ(loaded.text(1), "kept");
    EXPECT_EQ(loaded.text(4), "/tmp/a b/c.sh");

    MemoryListView missing("ListView2");
    settings.loadList(missing);
    EXPECT_EQ(missing.count(), 0);
}

TEST(Settings, MissingKeysGiveTheDefault) {
    test::FakeSettingsStore store;
    Settings settings(store);
    EXPECT_EQ(settings.get("Text2", "30"), "30");
    settings.save("Text2", "");
    EXPECT_EQ(settings.get("Text2", "30"), "");
}

// A backend store that refuses writes while told to, as a registry key or a file without
// write access does.
class RefusingStore : public test::FakeSettingsStore {
  public:
    void save(const std::string& a, const std::string& s, const std::string& k,
              const std::string& v) override {
        if (refuse)
            throw StoreWriteError("HKEY_CURRENT_USER\\Software\\Quillmark\\Tidewell",
                                  "Access denied.");
        FakeSettingsStore::save(a, s, k, v);
    }
    bool refuse = true;
};

// Whatever backend built the services, the program sees a store whose refused writes wait in
// memory: one warning with the reason, the edits read back, all written at the first change
// that the backend takes, and a word that saving works again.
TEST(Services, EveryBackendsStoreKeepsRefusedEdits) {
    PlatformServices platform;
    auto backend = std::make_unique<RefusingStore>();
    RefusingStore& refusing = *backend;
    auto dialogs = std::make_unique<test::FakeDialogs>();
    test::FakeDialogs& boxes = *dialogs;
    auto clock = std::make_unique<test::FakeClock>();
    platform.events = std::make_unique<test::FakeEventPump>(*clock);
    platform.clock = std::move(clock);
    platform.locale = std::make_unique<test::FakeLocaleText>();
    platform.store = std::move(backend);
    platform.dialogs = std::move(dialogs);
    platform.launcher = std::make_unique<test::FakeLauncher>();
    platform.processes = std::make_unique<test::FakeProcesses>();
    platform.windows = std::make_unique<test::FakeWindows>();
    platform.autostart = std::make_unique<test::FakeAutostart>();
    platform.clipboard = std::make_unique<test::FakeClipboard>();
    platform.monitorTimer = std::make_unique<test::SteppedTimer>();
    platform.trayHost = std::make_unique<test::FakeTrayHost>();
    platform.trayWaitTimer = std::make_unique<test::SteppedTimer>();
    platform.notifier = std::make_unique<test::FakeNotifier>();

    Settings settings(platform.view().store);
    for (const char* typed : {"1", "12", "125"})
        EXPECT_NO_THROW(settings.save("Text1", typed));
    settings.save("Text2", "7");
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].title, "Tidewell");
    EXPECT_EQ(boxes.boxes[0].icon, Icon::Warning);
    EXPECT_NE(boxes.boxes[0].text.find("HKEY_CURRENT_USER\\Software\\Quillmark\\Tidewell: "
                                       "Access denied.\n\n"),
              std::string::npos)
        << boxes.boxes[0].text;
    EXPECT_EQ(settings.get("Text1"), "125");
    EXPECT_TRUE(refusing.values.empty());

    refusing.refuse = false;
    Settings again(platform.view().store);
    again.save("Text3", "9");
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_NE(boxes.boxes[1].text.find("again"), std::string::npos) << boxes.boxes[1].text;
    EXPECT_EQ(refusing.writes, (std::vector<std::pair<std::string, std::string>>{
                                   {"Text1", "125"}, {"Text2", "7"}, {"Text3", "9"}}));
}

} // namespace
} // namespace tw
