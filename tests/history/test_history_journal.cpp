#include "core/main_module.h"
#include "history/history_journal.h"
#include "history/history_log.h"
#include "support/fake_clock.h"
#include "support/fake_locale_text.h"
#include "support/memory_list_view.h"

#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace tw {
namespace {

namespace fs = std::filesystem;

// A folder of its own per test, named with non-ASCII letters and a blank, as user folders are.
class JournalTest : public ::testing::Test {
  protected:
    fs::path folder =
        fs::temp_directory_path() /
        fileSystemPath("tidewell journal José Ñúñez " + std::to_string(std::random_device{}()));
    ~JournalTest() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    static std::string read(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static JournalRow row(int n, std::string action = "Run file a") {
        return {"2026-12-08T09:00:0" + std::to_string(n) + "+01:00", "12/8/2026", action};
    }
};

TEST_F(JournalTest, KeepsWholeRowsThroughTornWritesRotationAndClear) {
    const JournalRow awkward = row(1, "Run file C:\\a\tb\nc\r — café");
    {
        HistoryJournal journal(folder, 3);
        journal.append(awkward);
        journal.append(row(2));
    }
    // A kill in the middle of a row leaves its start without a line end.
    std::ofstream(folder / "history.log", std::ios::binary | std::ios::app)
        << "2026-12-08T09:00:03+01:00\t12/8/2026\tRun fi";

    HistoryJournal journal(folder, 3); // the next start
    EXPECT_EQ(journal.newestRows(10), (std::vector<JournalRow>{awkward, row(2)}));
    journal.append(row(3));
    EXPECT_EQ(journal.newestRows(10), (std::vector<JournalRow>{awkward, row(2), row(3)}));
    EXPECT_EQ(read(journal.file()).find("Run fi\n"), std::string::npos);

    // The fourth row starts a fresh file; the newest rows still come from both.
    journal.append(row(4));
    EXPECT_EQ(journal.newestRows(10), (std::vector<JournalRow>{awkward, row(2), row(3), row(4)}));
    EXPECT_EQ(journal.newestRows(2), (std::vector<JournalRow>{row(3), row(4)}));
    EXPECT_EQ(HistoryJournal(folder, 3).newestRows(10).size(), 4u);

    // Clear: nothing before it is shown again, though the previous file is kept.
    journal.startFresh();
    EXPECT_TRUE(journal.newestRows(10).empty());
    journal.append(row(5));
    EXPECT_EQ(HistoryJournal(folder, 3).newestRows(10), (std::vector<JournalRow>{row(5)}));
    EXPECT_NE(read(journal.previousFile()).find("09:00:04"), std::string::npos);
}

TEST_F(JournalTest, OnlyWholeRowsCountTowardsTheNewestAndAClearEndsThem) {
    fs::create_directories(folder);
    std::ofstream(folder / "history.log.1", std::ios::binary)
        << journalLine(row(1)) << journalLine(row(2));
    // Lines no append writes: edited by hand, from another program, a torn tail.
    std::ofstream(folder / "history.log", std::ios::binary)
        << "no fields at all\n"
        << journalLine(row(3)) << "\t12/8/2026\tno time\n"
        << "2026-12-08T09:00:09+01:00\t12/8/2026\tone\ttab too many\n"
        << "2026-12-08T09:00:09+01:00\t12/8/2026\tunknown escape \\q\n"
        << "2026-12-08T09:00:09+01:00\t12/8/2026\tends in a backslash \\\n\n"
        << journalLine(row(4, "Run file C:\\a\\")) << "2026-12-08T09:00:05+01:00\t12/8";
    const HistoryJournal journal(folder, 10);
    EXPECT_EQ(journal.newestRows(3),
              (std::vector<JournalRow>{row(2), row(3), row(4, "Run file C:\\a\\")}));
    EXPECT_EQ(journal.newestRows(100).size(), 4u);

    // The newest clear mark ends the rows, wherever it stands; the previous file is not read.
    std::ofstream(folder / "history.log", std::ios::binary | std::ios::app)
        << "\n#cleared\n"
        << journalLine(row(6)) << "#cleared\n"
        << journalLine(row(7));
    EXPECT_EQ(journal.newestRows(100), (std::vector<JournalRow>{row(7)}));
}

TEST_F(JournalTest, HistoryLogWritesRestoresAndSaysOnceWhenTheFileCannotBeWritten) {
    test::FakeClock clock;
    test::FakeLocaleText locale;
    clock.utcOffset = -(3 * 3600 + 30 * 60);
    MemoryListView shown{"ListView3"};
    {
        HistoryLog history(shown, clock, locale);
        history.keepIn(std::make_unique<HistoryJournal>(folder, kHistoryRowLimit));
        history.add("Run file /usr/bin/xedit");
    }
    EXPECT_EQ(read(folder / "history.log"),
              "2026-12-07T08:00:00-03:30\t" + shown.text(1) + "\tRun file /usr/bin/xedit\n");

    MemoryListView restarted{"ListView3"};
    HistoryLog history(restarted, clock, locale);
    history.keepIn(std::make_unique<HistoryJournal>(folder, kHistoryRowLimit));
    ASSERT_EQ(restarted.count(), 1);
    EXPECT_EQ(restarted.text(1), shown.text(1));
    EXPECT_EQ(restarted.subItem(1, 1), "Run file /usr/bin/xedit");

    // The folder is taken away and a file stands in its place: one row says so, the rows stay.
    fs::remove_all(folder);
    std::ofstream(folder) << "in the way";
    MemoryListView blocked{"ListView3"};
    HistoryLog failing(blocked, clock, locale);
    failing.keepIn(std::make_unique<HistoryJournal>(folder, kHistoryRowLimit));
    failing.add("Close file xedit");
    failing.add("Close file xeyes");
    ASSERT_EQ(blocked.count(), 3);
    EXPECT_EQ(blocked.subItem(2, 1).rfind("History file not written: ", 0), 0u);
    EXPECT_EQ(blocked.subItem(3, 1), "Close file xeyes");
    fs::remove(folder);
    failing.add("Run file a");
    ASSERT_EQ(blocked.count(), 5);
    EXPECT_EQ(blocked.subItem(5, 1).rfind("History file written again: ", 0), 0u);

    failing.clear();
    EXPECT_EQ(blocked.count(), 0);
    EXPECT_TRUE(HistoryJournal(folder, kHistoryRowLimit).newestRows(10).empty());
}

} // namespace
} // namespace tw
