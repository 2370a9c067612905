#pragma once

#include "close/close_engine.h"
#include "close/close_list.h"
#include "core/main_module.h"
#include "history/history_commands.h"
#include "history/history_log.h"
#include "platform/services.h"
#include "run/run_file.h"
#include "run/run_list.h"
#include "schedule/firing_notice.h"
#include "schedule/monitoring_switch.h"
#include "schedule/monitoring_tick.h"
#include "schedule/schedule_controls.h"
#include "settings/settings.h"
#include "tray/start_with_session.h"
#include "tray/tray_behaviour.h"
#include "tray/tray_icon.h"
#include "window/control_views.h"
#include "window/controls.h"
#include "window/script_commands.h"
#include "window/shown_list.h"

#include <functional>
#include <string>

namespace tw {

class GuardedRoutine;

// The behaviour of the program's one window, whatever toolkit draws it: start-up and
// shutdown, the handler of every control, the monitoring tick, the list commands, the tray
// icon and hiding to it. The front end hands over its controls (see window/controls.h) and
// forwards their events; everything else happens here.
class MainWindow {
  public:
    MainWindow(const MainWindowControls& controls, Services& services);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Start-up: restores every stored choice and list and puts the icon in the tray; runs
    // once, before the window is first shown.
    void start();
    // Shutdown, for every way the window closes: stops monitoring, saves the lists and ends
    // the program through endProgram. Runs once; later calls do nothing.
    void close();
    // Shows the window in front with the focus, wherever it is (hidden in the tray,
    // minimised, behind others); for another start of the program.
    void bringBack();
    // A script's command passed on by another start of the program (a request text of
    // core/command_line.h), done as its button does it; returns the answer message to send
    // back (window/script_commands.h).
    std::string answerCommand(const std::string& request);

    // Where shutdown ends the program.
    std::function<void()> endProgram;
    // The folder that holds the program's optional cursor and skin files.
    std::string programFolder;
    // The folder of the history journal (UTF-8); empty keeps the history in the window only.
    std::string historyFolder;
    // The draw of the home-page chance; empty means a generator seeded from the clock.
    RandomFraction homePageRandom;

    // True while start-up runs.
    bool isLoading() const { return loading_; }
    // The title of every message box that gives none of its own.
    const std::string& appTitle() const { return appTitle_; }
    HistoryLog& history() { return history_; }
    TrayIcon& trayIcon() { return trayIcon_; }
    TrayBehaviour& trayBehaviour() { return trayBehaviour_; }
    Countdown& countdown() { return schedule_.countdown; }

  private:
    void restoreControls(GuardedRoutine& routine);
    // What --status reports of the window as it stands.
    ScheduleStatus currentStatus() const;
    void bindScheduleEvents();
    void bindListEvents();
    void bindTrayEvents();
    void bindPointerEvents();
    // Runs a handler that numbers no statements of its own under its routine's name.
    std::function<void()> guarded(std::string routine, std::function<void()> handler);

    const MainWindowControls c_;
    Services& services_;
    Settings settings_;
    bool loading_ = false;
    bool closed_ = false;
    bool checkingField_ = false;
    std::string appTitle_ = kProductTitle;

    HistoryLog history_;
    ProgramLauncher launcher_;
    CloseEngine closeEngine_;
    FiringNotice firingNotice_;
    // The entries of the run and the close list; their controls show them.
    ShownList runEntries_;
    ShownList closeEntries_;

    ScheduleState schedule_;
    ScheduleOnControls scheduleView_;
    ScheduleControls scheduleControls_;
    MonitoringSwitch monitoringSwitch_;
    MonitoringTick monitoringTick_;

    RunListCommands runListCommands_;
    CloseListCommands closeListCommands_;
    HistoryCommands historyCommands_;

    TrayIcon trayIcon_;
    TrayBehaviour trayBehaviour_;
    StartupBoxesOnControls startupBoxes_;
    StartWithSession startWithSession_;
};

} // namespace tw
