#pragma once

#include "core/close_method.h"
#include "platform/windows.h"

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

// Closes what one close-list entry names: politely by window, or by killing processes.
// Failures (no window system reachable, ...) are thrown to the caller.
class CloseEngine {
  public:
    CloseEngine(Processes& processes, Windows& windows, const LocaleText& locale,
                HistoryLog& history);

    // Applies the method the caller read from the options for this entry; None does nothing.
    void close(const std::string& entry, CloseMethod method);
    // Asks each top-level window (dialogs excepted) that a process whose executable name
    // equals the entry (ignoring case) has at the start to close, once; one "Close file "
    // row per request, saying so when the request could not be delivered.
    void softClose(const std::string& entry);
    // Kills every process whose executable path contains the entry (ignoring case), except
    // those spared (this program, what it descends from, the session's holders); one
    // "Close file " row per process killed, and one naming the spared matches if any.
    void hardClose(const std::string& entry);
    // What the soft close reaches on each kind of desktop, for the close method's help.
    std::string softCloseReach() const { return windows_.reachByDesktop(); }

  private:
    Processes& processes_;
    Windows& windows_;
    const LocaleText& locale_;
    HistoryLog& history_;
};

} // namespace tw
