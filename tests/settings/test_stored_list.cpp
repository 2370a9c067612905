#include "core/memory_list_view.h"
#include "settings/settings.h"
#include "support/fake_settings_store.h"

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

} // namespace
} // namespace tw
