#pragma once

#include <string>

namespace tw {

class Clipboard;
class Dialogs;
class EventPump;
class HistoryLog;

inline constexpr const char* kClearHistoryQuestion =
    "Are you sure you want to delete the history log and start over?";

// The two commands under the history log (ListView3).
class HistoryCommands {
  public:
    HistoryCommands(HistoryLog& log, Dialogs& dialogs, EventPump& events, Clipboard& clipboard,
                    const std::string& appTitle);
    // The title is read at each question, so it must outlive the commands.
    HistoryCommands(HistoryLog&, Dialogs&, EventPump&, Clipboard&, const std::string&&) = delete;

    // Copy History To Clipboard: the checked rows as aligned text.
    void copyToClipboard();
    // Clear History Log, after the user confirms.
    void clear();

  private:
    HistoryLog& log_;
    Dialogs& dialogs_;
    EventPump& events_;
    Clipboard& clipboard_;
    const std::string& appTitle_;
};

} // namespace tw
