#pragma once

#include <string>

namespace tw {

class Clock;
class ListView;
class LocaleText;

// The most rows the log keeps; beyond it the oldest row goes for each new one, so that a
// schedule firing every second for weeks cannot take the machine's memory.
inline constexpr int kHistoryRowLimit = 100000;

// The rows that record every launch and close: time of the action and what was done.
class HistoryLog {
  public:
    HistoryLog(ListView& list, const Clock& clock, const LocaleText& locale);

    // Appends one row stamped with the current local date and time (general date form);
    // at the limit the oldest row goes first.
    void add(const std::string& action);
    // The two halves of add, for callers that report each one on its own:
    // appends the stamped row and returns its index, then fills in its action text.
    int addRow();
    void setAction(int row, const std::string& action);

    ListView& list() { return list_; }

  private:
    ListView& list_;
    const Clock& clock_;
    const LocaleText& locale_;
};

} // namespace tw
