#include "app/command_line.h"
#include "app/display_check.h"
#include "app/form1.h"
#include "app/qt_dialogs.h"
#include "app/unix_signals.h"
#include "app_identity.h"
#include "platform/linux/gio_launcher.h"
#include "platform/linux/ini_settings_store.h"
#include "platform/linux/proc_processes.h"
#include "platform/linux/qt_clipboard.h"
#include "platform/linux/qt_event_pump.h"
#include "platform/linux/qt_locale_text.h"
#include "platform/linux/qt_one_copy.h"
#include "platform/linux/system_clock.h"
#include "platform/linux/wall_clock_timer.h"
#include "platform/linux/x11_windows.h"
#include "platform/linux/xdg_autostart.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> argumentsAfterName(int argc, char* argv[]) {
    return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

} // namespace

int main(int argc, char* argv[]) {
    const std::string name = "tidewell";
    // --help and --version need no display. Anything else is judged once Qt has taken out
    // its own options (-platform, -display, a session manager's -session, ...).
    const tw::CommandLine asked = tw::readCommandLine(argumentsAfterName(argc, argv));
    if (asked.request == tw::CommandLine::Request::Help) {
        std::fputs(tw::helpText(name).c_str(), stdout);
        return 0;
    }
    if (asked.request == tw::CommandLine::Request::Version) {
        std::fputs(tw::versionText(TIDEWELL_VERSION).c_str(), stdout);
        return 0;
    }
    // A platform named with -platform is the user's to answer for, as one set in the
    // environment is.
    if (const std::string problem = asked.platformChosen ? "" : tw::displayProblem();
        !problem.empty()) {
        std::fprintf(stderr, "%s: %s\n", name.c_str(), problem.c_str());
        return 2;
    }
    QApplication app(argc, argv);
    // The window's class and the desktop entry's name, whatever the executable is called.
    QCoreApplication::setApplicationName("tidewell");
    QGuiApplication::setDesktopFileName(TIDEWELL_APP_ID);
    if (const tw::CommandLine left = tw::readCommandLine(argumentsAfterName(argc, argv));
        left.request == tw::CommandLine::Request::Mistake) {
        std::fprintf(stderr, "%s: %s\n%s", name.c_str(), left.mistake.c_str(),
                     tw::tryHelpText(name).c_str());
        return 2;
    }

    // One copy per session: a second start shows the running copy's window and ends.
    tw::QtOneCopy oneCopy(TIDEWELL_APP_ID);
    switch (oneCopy.claim()) {
    case tw::QtOneCopy::Claim::HandedOver:
        return 0;
    case tw::QtOneCopy::Claim::NoAnswer:
        std::fprintf(stderr, "%s: %s\n", name.c_str(), oneCopy.problem().c_str());
        return 1;
    case tw::QtOneCopy::Claim::First:
        if (!oneCopy.problem().empty())
            std::fprintf(stderr, "%s: %s\n", name.c_str(), oneCopy.problem().c_str());
        break;
    }

    tw::SystemClock clock;
    tw::QtLocaleText locale;
    tw::IniSettingsStore store;
    tw::QtDialogs dialogs;
    tw::QtEventPump events;
    tw::GioLauncher launcher;
    tw::ProcProcesses processes;
    tw::X11Windows windows(&events);
    tw::XdgAutostart autostart;
    tw::QtClipboard clipboard;
    tw::WallClockTimer timer;
    tw::Services services{clock,     locale,  store,     dialogs,   events, launcher,
                          processes, windows, autostart, clipboard, timer};

    tw::Form1 form(services);
    dialogs.setOwner(&form);
    form.programFolder = QCoreApplication::applicationDirPath().toStdString();
    // The lists are saved by now; nothing may run after this, not even a firing that was
    // paused in a one-second wait when the window closed.
    form.endProgram = [] {
        std::fflush(nullptr);
        std::_Exit(0);
    };
    // Logout, kill and Ctrl+C end the program the same orderly way as closing the window.
    tw::UnixSignals endSignals([&form] { form.Form_QueryUnload(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &form,
                     [&form] { form.Form_QueryUnload(); });

    form.connectHandlers();
    oneCopy.onAnotherStart = [&form] { form.bringBack(); };
    form.Form_Load();
    form.showCentred();
    return QApplication::exec();
}
