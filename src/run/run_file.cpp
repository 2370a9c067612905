#include "run/run_file.h"

#include "core/error_report.h"
#include "history/history_log.h"
#include "platform/launcher.h"

namespace tw {

ProgramLauncher::ProgramLauncher(Launcher& launcher, HistoryLog& history, Dialogs& dialogs)
    : launcher_(launcher), history_(history), dialogs_(dialogs) {}

std::optional<std::string> ProgramLauncher::run(const std::string& entry) {
    GuardedRoutine routine(dialogs_, "RunFile");
    std::string action = kRunFilePrefix + entry;
    bool started = true;
    routine.step(100, [&] {
        try {
            launcher_.openFile(entry, kLaunchDirectory);
        } catch (const LaunchFailed& failure) {
            // No box for it, as for the shell request it stands for, but the row must not
            // read like a launch that happened.
            action += kNotStarted + failure.reason();
            started = false;
        }
    });
    int row = 0;
    routine.step(102, [&] { row = history_.addRow(); });
    // Without the row of 102, filling it in fails too and is reported on its own.
    routine.step(104, [&] { history_.setAction(row, action); });
    if (started)
        return std::nullopt;
    return action;
}

std::string sampleProgramFolder(const Launcher& launcher) {
    return launcher.editorDirectory();
}

} // namespace tw
