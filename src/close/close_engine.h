#pragma once

#include "core/close_method.h"
#include "platform/windows.h"

#include <optional>
#include <string>

namespace tw {

class HistoryLog;
class LocaleText;
class Processes;

inline constexpr const char* kCloseFilePrefix = "Close file ";
// Follows the entry, before the reason, in the row of a close request that never reached its
// window (the dash is an em dash).
inline constexpr const char* kCloseNotDelivered =
    " \xE2\x80\x94 the close request could not be delivered: ";
// Follows the entry in the row of a hard close whose matching processes, none of them spared,
// all refused to end or were gone before they could be ended.
inline constexpr const char* kNothingEnded =
    " \xE2\x80\x94 nothing ended: its processes had already gone or could not be ended";

// Closes what one close-list entry names: politely by window, or by killing processes.
// Failures (no window system reachable, ...) are thrown to the caller.
class CloseEngine {
  public:
    CloseEngine(Processes& processes, Windows& windows, const LocaleText& locale,
                HistoryLog& history);

    // Applies the method the caller read from the options for this entry; None does nothing.
    // Returns the text of the first row that says the close failed, if any.
    std::optional<std::string> close(const std::string& entry, CloseMethod method);
    // Asks each top-level window (dialogs excepted) that a process whose executable name
    // equals the entry (ignoring case) has at the start to close, once; one "Close file "
    // row per request, saying so when the request could not be delivered. Returns the first
    // such row.
    std::optional<std::string> softClose(const std::string& entry);
    // Kills every process whose executable path contains the entry (ignoring case), except
    // those spared (this program, what it descends from, the session's holders); one
    // "Close file " row per process killed, and one naming the spared matches if any. When
    // processes matched and none ended, returns the row that says why (the spared one, or a
    // row of its own); an entry that matches nothing is no failure.
    std::optional<std::string> hardClose(const std::string& entry);
    // What the soft close reaches on each kind of desktop, for the close method's help.
    std::string softCloseReach() const { return windows_.reachByDesktop(); }

  private:
    Processes& processes_;
    Windows& windows_;
    const LocaleText& locale_;
    HistoryLog& history_;
};

} // namespace tw
