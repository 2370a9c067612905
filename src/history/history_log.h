#pragma once

#include "history/history_journal.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tw {

class Clock;
class ListView;
struct LocalDateTime;
class LocaleText;

// The most rows the log keeps; beyond it the oldest row goes for each new one, so that a
// schedule firing every second for weeks cannot take the machine's memory.
inline constexpr int kHistoryRowLimit = 100000;

// The rows that record every launch and close: time of the action and what was done.
class HistoryLog {
  public:
    HistoryLog(ListView& list, const Clock& clock, const LocaleText& locale);
    ~HistoryLog();

    // Appends one row stamped with the current local date and time (general date form);
    // at the limit the oldest row goes first.
    void add(const std::string& action);
    // The two halves of add, for callers that report each one on its own:
    // appends the stamped row and returns its index, then fills in its action text.
    int addRow();
    void setAction(int row, const std::string& action);

    ListView& list() { return list_; }

    // From now on every row is kept in the journal too; the list first shows the journal's
    // newest rows, up to the limit.
    void keepIn(std::unique_ptr<HistoryJournal> journal);
    // The journal's newest rows, at most limit, oldest first; none without a journal.
    std::vector<JournalRow> newestJournalRows(int limit) const {
        return journal_ ? journal_->newestRows(limit) : std::vector<JournalRow>{};
    }
    // Clear History Log: empties the list and starts the journal afresh.
    void clear();

    // The journal row's time: ISO 8601 with the local offset from UTC, when the clock knows it.
    static std::string isoTime(const LocalDateTime& when, std::optional<int> utcOffsetSeconds);

  private:
    void journal(const std::string& displayedTime, const std::string& action);
    // Appends a row with its time; at the limit the oldest row goes first.
    int appendRow(const std::string& stamp);
    // A row that is shown but not kept in the journal, about the journal itself.
    void note(const std::string& action);

    std::unique_ptr<HistoryJournal> journal_;
    bool journalFailing_ = false;
    // The row addRow appended and its stamp, until setAction gives its action.
    int pendingRow_ = 0;
    std::string pendingIsoTime_;
    ListView& list_;
    const Clock& clock_;
    const LocaleText& locale_;
};

} // namespace tw
