#pragma once

#include <string>

namespace tw {

class Clock;
class ListView;
class LocaleText;

// The rows that record every launch and close: time of the action and what was done.
class HistoryLog {
  public:
    HistoryLog(ListView& list, const Clock& clock, const LocaleText& locale);

    // Appends one row stamped with the current local date and time (general date form).
    void AddHistoryEntry(const std::string& action);
    // The two halves of AddHistoryEntry, for callers that report each one on its own:
    // appends the stamped row and returns its index, then fills in its action text.
    int AddHistoryRow();
    void SetHistoryAction(int row, const std::string& action);

    ListView& list() { return list_; }

  private:
    ListView& list_;
    const Clock& clock_;
    const LocaleText& locale_;
};

} // namespace tw
