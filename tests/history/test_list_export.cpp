#include "history/history_commands.h"
#include "history/history_log.h"
#include "history/list_export.h"
#include "support/fake_clipboard.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_locale_text.h"
#include "support/memory_list_view.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

class ListExportTest : public ::testing::Test {
  protected:
    test::FakeClock clock;
    test::FakeEventPump events{clock};
    test::FakeClipboard clipboard;
    test::FakeDialogs dialogs;
    MemoryListView log{"ListView3"};
    test::FakeLocaleText locale;
    HistoryLog history{log, clock, locale};
    YieldPacer everyStep{events, std::chrono::milliseconds(0)};
    std::string title = "Tidewell";

    ListExportTest() {
        log.addColumn("Time");
        log.addColumn("Action");
    }
    int add(const std::string& time, const std::string& action, bool checked) {
        const int row = log.addRow(time);
        log.setSubItem(row, 1, action);
        log.setChecked(row, checked);
        return row;
    }
};

TEST_F(ListExportTest, CheckedRowsArePaddedToTheLongestTextOfTheWholeColumn) {
    add("12/7/2026 1:56:04 AM", "Run file /usr/bin/xedit", true); // 20 characters
    add("12/17/2026 1:56:04 AM", "Close file xedit", false);      // 21, not checked
    add("12/7/2026", "Run file /opt/a b   ", true);               // trailing blanks go
    add("12/7/2026 10:00:00 PM", "", true);                       // empty action
    copyCheckedRowsToClipboard(log, everyStep, clipboard);
    EXPECT_EQ(clipboard.text, "12/7/2026 1:56:04 AM \tRun file /usr/bin/xedit\r\n"
                              "12/7/2026            \tRun file /opt/a b\r\n"
                              "12/7/2026 10:00:00 PM\t\r\n");
    EXPECT_EQ(clipboard.clears, 1);
    EXPECT_EQ(clipboard.format, 0);
}

TEST_F(ListExportTest, WidthsCountCharactersNotBytes) {
    add("7.12.2026 오후 1:00:00", "Run file x", true);
    add("7.12.2026 13:00:00", "Run file é", true);
    copyCheckedRowsToClipboard(log, everyStep, clipboard);
    EXPECT_EQ(clipboard.text, "7.12.2026 오후 1:00:00\tRun file x\r\n"
                              "7.12.2026 13:00:00  \tRun file é\r\n");
}

TEST_F(ListExportTest, EmptyLogLeavesTheClipboardAloneAndNoneCheckedEmptiesIt) {
    copyCheckedRowsToClipboard(log, everyStep, clipboard);
    EXPECT_EQ(clipboard.text, "old content");
    EXPECT_EQ(clipboard.clearAttempts + clipboard.setAttempts, 0);

    add("12/7/2026", "Run file a", false);
    copyCheckedRowsToClipboard(log, everyStep, clipboard);
    EXPECT_EQ(clipboard.text, "");
    EXPECT_EQ(clipboard.clears, 1);
}

TEST_F(ListExportTest, YieldsBeforeEachRowOfBothPassesAndEachCheckedCell) {
    add("a", "1", true);
    add("b", "2", false);
    add("c", "3", true);
    listViewText(log, everyStep);
    EXPECT_EQ(events.pendingRuns, 3 + 3 + 2 * 2);
}

TEST_F(ListExportTest, RowsAddedWhileYieldingFollowTheCountOfEachPass) {
    add("aa", "1", true);
    int yields = 0;
    events.onPending = [&] {
        if (++yields == 1)
            add("a much longer time text", "added during the width pass", true);
    };
    // The added row is not measured, but the output pass copies it without padding.
    EXPECT_EQ(listViewText(log, everyStep),
              "aa\t1\r\na much longer time text\tadded during the width pass\r\n");
}

TEST_F(ListExportTest, RowsClearedWhileYieldingEndTheCopy) {
    add("a", "1", true);
    add("b", "2", true);
    int yields = 0;
    events.onPending = [&] {
        if (++yields == 7) // before the first cell of the second row
            log.clear();
    };
    EXPECT_EQ(listViewText(log, everyStep), "a\t1\r\n");
}

TEST_F(ListExportTest, CopyCommandPlacesTheText) {
    add("12/7/2026", "Run file a", true);
    HistoryCommands commands(history, dialogs, events, clipboard, title);
    commands.copyToClipboard();
    EXPECT_EQ(clipboard.text, "12/7/2026\tRun file a\r\n");
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(ListExportTest, ClearHistoryAsksAndOnlyYesRemovesTheRows) {
    add("a", "1", true);
    add("b", "2", false);
    HistoryCommands commands(history, dialogs, events, clipboard, title);
    commands.clear();
    EXPECT_EQ(log.count(), 2);
    EXPECT_TRUE(log.checked(1));
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text,
              "Are you sure you want to delete the history log and start over?");
    EXPECT_EQ(dialogs.boxes[0].title, "Tidewell");
    EXPECT_EQ(dialogs.boxes[0].buttons, Buttons::YesNo);
    EXPECT_EQ(dialogs.boxes[0].icon, Icon::None);

    dialogs.answers = {Answer::Yes};
    commands.clear();
    EXPECT_EQ(log.count(), 0);
    EXPECT_EQ(log.columnCount(), 2);
}

} // namespace
} // namespace tw
