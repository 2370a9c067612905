#include "app_identity.h"
#include "core/command_line.h"
#include "frontend/qt/qt_main_window.h"
#include "platform/end_requests.h"
#include "platform/one_copy.h"
#include "platform/services.h"
#include "window/main_window.h"
#include "window/script_commands.h"

#include <QApplication>
#include <QPixmapCache>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kStyleCacheKilobytes = 16;

std::vector<std::string> argumentsAfterName(int argc, char* argv[]) {
    return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

int wrongCommandLine(const std::string& mistake, const std::string& name) {
    std::fprintf(stderr, "%s: %s\n%s", name.c_str(), mistake.c_str(),
                 tw::tryHelpText(name).c_str());
    return tw::kWrongCommandLine;
}

// Passes a script's command to the running copy; a question is answered from the stored
// settings and the journal when no copy answers.
int runCommand(const tw::ScriptCommand& command, const std::string& name) {
    QCoreApplication::setApplicationName("tidewell");
    const std::unique_ptr<tw::OneCopy> oneCopy = tw::makeOneCopy(TIDEWELL_APP_ID);
    return tw::runScriptCommand(
        command, *oneCopy,
        [&command] {
            tw::QuestionServices here = tw::makeQuestionServices();
            return tw::answerWithoutCopy(command, *here.store, *here.locale, *here.clock,
                                         here.historyFolder);
        },
        name);
}

} // namespace

int main(int argc, char* argv[]) {
    const std::string name = "tidewell";
    // --help, --version and a script's command need no display. Anything else is judged once Qt has
    // taken out its own options (-platform, -display, a session manager's -session, ...).
    const tw::CommandLine asked = tw::readCommandLine(argumentsAfterName(argc, argv));
    if (asked.request == tw::CommandLine::Request::Help) {
        std::fputs(tw::helpText(name).c_str(), stdout);
        return 0;
    }
    if (asked.request == tw::CommandLine::Request::Version) {
        std::fputs(tw::versionText(TIDEWELL_VERSION).c_str(), stdout);
        return 0;
    }
    // A script's command needs no display either: it only talks to the running copy.
    if (asked.request == tw::CommandLine::Request::Command) {
        QCoreApplication core(argc, argv);
        const int status = runCommand(asked.command, name);
        // Qt's bus thread may still be winding down while the libraries' static objects are
        // destroyed at a normal exit, which corrupts the heap now and then: there is nothing
        // left to save, so end at once.
        std::fflush(nullptr);
        std::_Exit(status);
    }
    if (asked.request == tw::CommandLine::Request::Mistake && asked.scriptCommand)
        return wrongCommandLine(asked.mistake, name);
    // A platform named with -platform is the user's to answer for, as one set in the
    // environment is.
    if (const std::string problem = asked.platformChosen ? "" : tw::displayProblem();
        !problem.empty()) {
        std::fprintf(stderr, "%s: %s\n", name.c_str(), problem.c_str());
        return 2;
    }
    std::optional<tw::PlatformStartGuard> platformStart(std::in_place);
    QApplication app(argc, argv);
    platformStart.reset();
    // The window's class and the desktop entry's name, whatever the executable is called.
    QCoreApplication::setApplicationName("tidewell");
    QGuiApplication::setDesktopFileName(TIDEWELL_APP_ID);
    if (const tw::CommandLine left = tw::readCommandLine(argumentsAfterName(argc, argv));
        left.request == tw::CommandLine::Request::Mistake)
        return wrongCommandLine(left.mistake, name);

    // One copy per session: a second start shows the running copy's window and ends.
    const std::unique_ptr<tw::OneCopy> oneCopy = tw::makeOneCopy(TIDEWELL_APP_ID);
    switch (oneCopy->claim()) {
    case tw::OneCopy::Claim::HandedOver:
        return 0;
    case tw::OneCopy::Claim::NoAnswer:
        std::fprintf(stderr, "%s: %s\n", name.c_str(), oneCopy->problem().c_str());
        return 1;
    case tw::OneCopy::Claim::First:
        if (!oneCopy->problem().empty())
            std::fprintf(stderr, "%s: %s\n", name.c_str(), oneCopy->problem().c_str());
        break;
    }

    const std::unique_ptr<tw::PlatformServices> platform = tw::makePlatformServices();
    tw::Services services = platform->view();

    // The style keeps a drawn copy of every button, box and bar face it paints, about 450 kB
    // for this window. A window that spends its life idle or hidden in the tray is better off
    // drawing a face again on the rare occasion it changes.
    QPixmapCache::setCacheLimit(kStyleCacheKilobytes);
    tw::QtMainWindow form;
    tw::MainWindow window(form.controls(), services);
    window.programFolder = platform->programFolder;
    window.historyFolder = platform->historyFolder;
    // The lists are saved by now; nothing may run after this, not even a firing that was
    // paused in a one-second wait when the window closed.
    window.endProgram = [] {
        std::fflush(nullptr);
        std::_Exit(0);
    };
    // Logout, kill and Ctrl+C end the program the same orderly way as closing the window.
    form.onClose = [&window] { window.close(); };
    platform->endRequests->setHandler([&window] { window.close(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &form, [&window] { window.close(); });
    oneCopy->onAnotherStart = [&window] { window.bringBack(); };
    oneCopy->onCommand = [&window](const std::string& request) {
        return window.answerCommand(request);
    };
    window.start();
    form.showCentred();
    return QApplication::exec();
}
