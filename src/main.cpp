#include "app/display_check.h"
#include "app/form1.h"
#include "app/qt_dialogs.h"
#include "app/unix_signals.h"
#include "platform/linux/gio_launcher.h"
#include "platform/linux/ini_settings_store.h"
#include "platform/linux/proc_processes.h"
#include "platform/linux/qt_clipboard.h"
#include "platform/linux/qt_event_pump.h"
#include "platform/linux/qt_locale_text.h"
#include "platform/linux/system_clock.h"
#include "platform/linux/wall_clock_timer.h"
#include "platform/linux/x11_windows.h"
#include "platform/linux/xdg_autostart.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (const std::string problem = tw::displayProblem(); !problem.empty()) {
        std::fprintf(stderr, "tidewell: %s\n", problem.c_str());
        return 2;
    }
    QApplication app(argc, argv);

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
    form.Form_Load();
    form.showCentred();
    return QApplication::exec();
}
