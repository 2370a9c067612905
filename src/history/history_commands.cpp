#include "history/history_commands.h"

#include "core/error_report.h"
#include "history/history_log.h"
#include "history/list_export.h"

namespace tw {

HistoryCommands::HistoryCommands(HistoryLog& log, Dialogs& dialogs, EventPump& events,
                                 Clipboard& clipboard, const std::string& appTitle)
    : log_(log), dialogs_(dialogs), events_(events), clipboard_(clipboard), appTitle_(appTitle) {}

void HistoryCommands::copyToClipboard() {
    GuardedRoutine r(dialogs_, "PushButton16_Click");
    r.step(100, [&] {
        YieldPacer pacer(events_);
        copyCheckedRowsToClipboard(log_.list(), pacer, clipboard_);
    });
}

void HistoryCommands::clear() {
    GuardedRoutine r(dialogs_, "PushButton15_Click");
    Answer answer = Answer::No;
    r.step(100, [&] {
        answer = dialogs_.messageBox(kClearHistoryQuestion, appTitle_, Buttons::YesNo, Icon::None);
    });
    if (r.test(102, [&] { return answer == Answer::Yes; }))
        r.step(104, [&] { log_.clear(); });
}

} // namespace tw
