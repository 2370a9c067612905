#include "run/run_list.h"

#include "core/error_report.h"
#include "core/list_view.h"
#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "run/run_file.h"

#include <utility>

namespace tw {

std::string sampleProgramPath(const Launcher& launcher) {
    return launcher.editorPath();
}

RunListCommands::RunListCommands(ListView& list, Dialogs& dialogs, ProgramLauncher& runner,
                                 const Launcher& launcher, std::string appTitle)
    : list_(list), dialogs_(dialogs), runner_(runner), launcher_(launcher),
      appTitle_(std::move(appTitle)) {}

void RunListCommands::browse() {
    GuardedRoutine r(dialogs_, "PushButton3_Click");
    std::string fileName;
    std::string title;
    std::string filter;
    r.step(100, [&] { fileName.clear(); });
    r.step(102, [&] { title = kBrowseTitle; });
    r.step(104, [&] { filter = kRunBrowseFilter; });
    r.step(106, [&] { fileName = dialogs_.openFile(title, filter); });
    if (r.test(108, [&] { return !fileName.empty(); }))
        r.step(110, [&] { list_.addRow(fileName); });
}

void RunListCommands::deleteSelected() {
    GuardedRoutine r(dialogs_, "PushButton6_Click");
    if (r.test(102, [&] { return list_.count() > 0; }))
        r.step(104, [&] { list_.remove(list_.selectedIndex()); });
}

void RunListCommands::runNow() {
    GuardedRoutine r(dialogs_, "PushButton1_Click");
    int rows = 0;
    r.step(100, [&] { rows = list_.count(); });
    for (int row = 1; row <= rows; ++row)
        r.step(102, [&] { runner_.run(list_.text(row)); });
}

void RunListCommands::clear() {
    GuardedRoutine r(dialogs_, "PushButton13_Click");
    r.step(100, [&] { list_.clear(); });
}

void RunListCommands::loadSample() {
    GuardedRoutine r(dialogs_, "PushButton14_Click");
    if (launcher_.editorFileName().empty()) {
        r.step(100,
               [&] { dialogs_.messageBox(kNoSampleProgram, appTitle_, Buttons::Ok, Icon::None); });
        return;
    }
    r.step(100, [&] { list_.clear(); });
    r.step(102, [&] { list_.addRow(sampleProgramPath(launcher_)); });
}

} // namespace tw
