#include "close/close_list.h"

#include "close/hard_close_targets.h"
#include "core/error_report.h"
#include "core/list_view.h"
#include "core/paths.h"
#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "run/run_file.h"
#include "run/run_list.h"
#include "settings/settings.h"
#include "settings/settings_keys.h"

namespace tw {

bool CloseListCommands::hardCloseConfirmed(const std::string& entry, const char* question) {
    if (p_.method() != CloseMethod::Hard)
        return true;
    const std::string warning =
        hardCloseWarning(entry, findHardCloseTargets(entry, p_.processes, p_.locale), question);
    return warning.empty() || p_.dialogs.messageBox(warning, p_.appTitle, Buttons::YesNo,
                                                    Icon::Warning) == Answer::Yes;
}

void CloseListCommands::addTyped() {
    GuardedRoutine r(p_.dialogs, "PushButton4_Click");
    std::string answer;
    r.step(100, [&] { answer = p_.dialogs.inputBox(kAddClosePrompt, kAddCloseTitle, ""); });
    if (r.test(102, [&] { return !answer.empty() && hardCloseConfirmed(answer, kAddAnyway); }))
        r.step(104, [&] { p_.list.addRow(answer); });
}

void CloseListCommands::deleteSelected() {
    GuardedRoutine r(p_.dialogs, "PushButton7_Click");
    if (r.test(102, [&] { return p_.list.count() > 0; }))
        r.step(104, [&] { p_.list.remove(p_.list.selectedIndex()); });
}

void CloseListCommands::browse() {
    GuardedRoutine r(p_.dialogs, "PushButton8_Click");
    std::string fileName;
    std::string title;
    std::string filter;
    std::string name;
    r.step(100, [&] { fileName.clear(); });
    r.step(102, [&] { title = kBrowseTitle; });
    r.step(104, [&] { filter = kCloseBrowseFilter; });
    r.step(106, [&] { fileName = p_.dialogs.openFile(title, filter); });
    if (!r.test(108, [&] { return !fileName.empty(); }))
        return;
    r.step(110, [&] { name = fileNameOf(fileName); });
    r.step(112, [&] {
        if (hardCloseConfirmed(name, kAddAnyway))
            p_.list.addRow(name);
    });
}

void CloseListCommands::closeNow() {
    GuardedRoutine r(p_.dialogs, "PushButton9_Click");
    int rows = 0;
    r.step(100, [&] { rows = p_.list.count(); });
    for (int row = 1; row <= rows; ++row) {
        if (r.test(102, [&] { return p_.method() == CloseMethod::Soft; }))
            r.step(104, [&] { p_.engine.softClose(p_.list.text(row)); });
        if (r.test(106, [&] { return p_.method() == CloseMethod::Hard; }))
            r.step(108, [&] {
                const std::string entry = p_.list.text(row);
                if (hardCloseConfirmed(entry, kCloseAnyway))
                    p_.engine.hardClose(entry);
            });
    }
}

void CloseListCommands::explainMethods() {
    GuardedRoutine r(p_.dialogs, "PushButton10_Click");
    r.step(100, [&] {
        std::string text = kCloseMethodHelp;
        if (const std::string reach = p_.engine.softCloseReach(); !reach.empty())
            text += "\r\n\r\n" + reach;
        p_.dialogs.messageBox(text, p_.appTitle, Buttons::Ok, Icon::None);
    });
}

void CloseListCommands::clear() {
    GuardedRoutine r(p_.dialogs, "PushButton11_Click");
    r.step(100, [&] { p_.list.clear(); });
}

void CloseListCommands::loadSample() {
    GuardedRoutine r(p_.dialogs, "PushButton12_Click");
    Answer answer = Answer::No;
    const std::string editor = p_.launcher.editorFileName();
    if (editor.empty()) {
        r.step(100, [&] {
            p_.dialogs.messageBox(kNoSampleProgram, p_.appTitle, Buttons::Ok, Icon::None);
        });
        return;
    }
    r.step(100, [&] { p_.list.clear(); });
    r.step(102, [&] { p_.list.addRow(editor); });
    // The question names the program that really starts.
    r.step(104, [&] {
        answer = p_.dialogs.messageBox("Would you like me to open " + p_.launcher.editorTitle() +
                                           " for you so that you can use the " + p_.testCaption() +
                                           " button to test?",
                                       p_.appTitle, Buttons::YesNo, Icon::None);
    });
    r.step(106, [&] {
        if (answer != Answer::Yes)
            return;
        // Like the shell request it stands for, a start that fails shows nothing.
        try {
            p_.launcher.openFile(sampleProgramPath(p_.launcher), kLaunchDirectory);
        } catch (const LaunchFailed&) {
        }
    });
}

void CloseListCommands::closeMethodClicked() {
    const CloseMethod method = p_.method();
    p_.settings.save(keys::kSoftClose, method == CloseMethod::Soft ? "1" : "0");
    p_.settings.save(keys::kHardClose, method == CloseMethod::Hard ? "1" : "0");
}

} // namespace tw
