// The main window's parts and the handler of every control's event.
#include "window/main_window.h"

#include "core/error_report.h"
#include "platform/timer.h"
#include "platform/tray_host.h"
#include "window/script_commands.h"

#include <algorithm>
#include <exception>
#include <initializer_list>

namespace tw {

namespace {
// How often a window minimised while no notification area ran looks for one.
constexpr int kTrayWaitMs = 1000;
} // namespace

MainWindow::MainWindow(const MainWindowControls& controls, Services& services)
    : c_(controls), services_(services), settings_(services.store),
      history_(c_.history, services.clock, services.locale),
      launcher_(services.launcher, history_, services.dialogs),
      closeEngine_(services.processes, services.windows, services.locale, history_),
      firingNotice_(
          services.notifier,
          [this] { return !trayBehaviour_.isHiddenInTray() && !c_.window.isMinimised(); }),
      runEntries_(c_.runList), closeEntries_(c_.closeList), schedule_(scheduleShownBy(c_)),
      scheduleView_(c_), scheduleControls_(schedule_, scheduleView_, settings_, services.clock,
                                           services.locale, services.dialogs, appTitle_),
      monitoringSwitch_(schedule_, scheduleView_, services.clock, services.monitorTimer,
                        services.dialogs),
      monitoringTick_(schedule_, scheduleView_, {runEntries_, closeEntries_}, services.clock,
                      services.locale, services.events, services.monitorTimer, services.dialogs,
                      {[this](const std::string& entry, CloseMethod method) {
                           try {
                               if (const auto failure = closeEngine_.close(entry, method))
                                   firingNotice_.failed(*failure);
                           } catch (const std::exception& e) {
                               // The error box says it too, but nobody may be there to see it.
                               firingNotice_.failed(e.what());
                               throw;
                           }
                       },
                       [this](const std::string& entry) {
                           if (const auto failure = launcher_.run(entry))
                               firingNotice_.failed(*failure);
                       },
                       [this](const std::string& note) {
                           history_.add(note);
                           firingNotice_.missed(note);
                       }}),
      runListCommands_(runEntries_, services.dialogs, launcher_, services.launcher, appTitle_),
      closeListCommands_({closeEntries_, services.dialogs, closeEngine_, services.launcher,
                          services.processes, services.locale, settings_,
                          [this] { return schedule_.closeMethod; },
                          [this] { return c_.closeNowButton.caption(); }, appTitle_}),
      historyCommands_(history_, services.dialogs, services.events, services.clipboard, appTitle_),
      trayIcon_(services.trayHost, services.clock, services.events, {false, services.programIcon}),
      trayBehaviour_(c_.window, trayIcon_,
                     [&host = services.trayHost] { return host.areaRunning(); }),
      startupBoxes_(c_.startWithSession, c_.startInTray),
      startWithSession_(startupBoxes_, settings_, services.autostart, services.dialogs,
                        [this] { return loading_; }) {
    bindScheduleEvents();
    bindListEvents();
    bindTrayEvents();
    bindPointerEvents();
    // The option selected in the designed window is not chosen again at start-up, so its
    // handler never runs: the inputs must match it from the start.
    scheduleControls_.showUsableInputs();
}

MainWindow::~MainWindow() {
    for (Timer* timer : {&services_.monitorTimer, &services_.trayWaitTimer}) {
        timer->setEnabled(false);
        timer->setHandler({});
    }
}

std::function<void()> MainWindow::guarded(std::string routine, std::function<void()> handler) {
    return [this, routine = std::move(routine), handler = std::move(handler)] {
        runReportingFailures(services_.dialogs, routine, handler);
    };
}

void MainWindow::bindScheduleEvents() {
    services_.monitorTimer.setHandler([this] {
        // A tick fires at most once: what fails in it is told in one notification.
        const FiringNotice::Firing firing(firingNotice_);
        monitoringTick_.onTick();
    });
    c_.switchButton.clicked.setHandler([this] { monitoringSwitch_.toggle(); });

    c_.weekly.clicked.setHandler(
        guarded("Option1_Click", [this] { scheduleControls_.weeklyChosen(); }));
    c_.daily.clicked.setHandler(
        guarded("Option2_Click", [this] { scheduleControls_.dailyChosen(); }));
    c_.everyX.clicked.setHandler(
        guarded("Option3_Click", [this] { scheduleControls_.everyXChosen(); }));
    c_.dayList.changed.setHandler(
        guarded("cboWeekly_Click", [this] { scheduleControls_.dayChosen(c_.dayList.text()); }));
    c_.timePicker.changed.setHandler(guarded(
        "dtpWeekly_Change", [this] { scheduleControls_.timeChanged(c_.timePicker.time()); }));
    for (const EveryXField field :
         {EveryXField::Hours, EveryXField::Minutes, EveryXField::Seconds}) {
        TextBox& box = scheduleView_.box(field);
        box.changed.setHandler(
            guarded(std::string(fieldKey(field)) + "_Change",
                    [this, field, &box] { scheduleControls_.fieldChanged(field, box.text()); }));
        // The check's own box and the focus it puts back must not start another check.
        box.lostFocus.setHandler([this, field] {
            if (checkingField_)
                return;
            checkingField_ = true;
            runReportingFailures(services_.dialogs, "Text_LostFocus",
                                 [this, field] { scheduleControls_.fieldLeft(field); });
            checkingField_ = false;
        });
    }
    c_.runEnabled.changed.setHandler(guarded(
        "Check1_Click", [this] { scheduleControls_.runSwitchClicked(c_.runEnabled.value()); }));
    c_.closeEnabled.changed.setHandler(guarded(
        "Check2_Click", [this] { scheduleControls_.closeSwitchClicked(c_.closeEnabled.value()); }));
}

void MainWindow::bindListEvents() {
    // A list is stored the moment its rows change, in the same form and under the same key
    // as at the orderly exit, so that edits survive a kill, a crash or a lost session.
    // Start-up's own loading is not stored back.
    for (ShownList* list : {&runEntries_, &closeEntries_})
        list->setRowsChangedHandler([this, list] {
            if (!loading_)
                settings_.saveList(*list);
        });

    RunListCommands& run = runListCommands_;
    c_.browseRunButton.clicked.setHandler([&run] { run.browse(); });
    c_.deleteRunButton.clicked.setHandler([&run] { run.deleteSelected(); });
    c_.runList.deletePressed.setHandler([&run] { run.deleteSelected(); });
    c_.runNowButton.clicked.setHandler([&run] { run.runNow(); });
    c_.clearRunButton.clicked.setHandler([&run] { run.clear(); });
    c_.runSampleButton.clicked.setHandler([&run] { run.loadSample(); });

    CloseListCommands& close = closeListCommands_;
    c_.addCloseButton.clicked.setHandler([&close] { close.addTyped(); });
    c_.deleteCloseButton.clicked.setHandler([&close] { close.deleteSelected(); });
    c_.closeList.deletePressed.setHandler([&close] { close.deleteSelected(); });
    c_.browseCloseButton.clicked.setHandler([&close] { close.browse(); });
    c_.closeNowButton.clicked.setHandler([&close] { close.closeNow(); });
    c_.closeMethodHelpButton.clicked.setHandler([&close] { close.explainMethods(); });
    c_.clearCloseButton.clicked.setHandler([&close] { close.clear(); });
    c_.closeSampleButton.clicked.setHandler([&close] { close.loadSample(); });
    // Clicked means selected, and the other option of the group cleared.
    c_.hardClose.clicked.setHandler(guarded("Option6_Click", [this, &close] {
        schedule_.closeMethod = CloseMethod::Hard;
        close.closeMethodClicked();
    }));
    c_.softClose.clicked.setHandler(guarded("Option7_Click", [this, &close] {
        schedule_.closeMethod = CloseMethod::Soft;
        close.closeMethodClicked();
    }));

    HistoryCommands& history = historyCommands_;
    c_.copyHistoryButton.clicked.setHandler([&history] { history.copyToClipboard(); });
    c_.clearHistoryButton.clicked.setHandler([&history] { history.clear(); });
}

void MainWindow::bindTrayEvents() {
    trayIcon_.setEvents(
        {nullptr, nullptr,
         [this](std::int16_t button, std::int32_t id) { trayBehaviour_.iconClicked(button, id); },
         nullptr});
    c_.startWithSession.changed.setHandler(
        guarded("Check4_Click", [this] { startWithSession_.withSessionClicked(); }));
    c_.startInTray.changed.setHandler(
        guarded("Check8_Click", [this] { startWithSession_.inTrayClicked(); }));

    Timer& trayWait = services_.trayWaitTimer;
    trayWait.setHandler([this, &trayWait] {
        trayBehaviour_.lookForTray();
        if (!trayBehaviour_.waitingForTray())
            trayWait.setEnabled(false);
    });
    c_.window.stateChanged.setHandler([this, &trayWait] {
        trayBehaviour_.windowStateChanged();
        if (trayBehaviour_.waitingForTray() && !trayWait.isEnabled()) {
            trayWait.setInterval(kTrayWaitMs);
            trayWait.setEnabled(true);
        }
    });
}

void MainWindow::bindPointerEvents() {
    // Over a button the window shows the program's own pointer; over the window, its frames,
    // the two editable lists, the hours label and the minutes box, the arrow. Elsewhere the
    // pointer stays as it was.
    const auto custom = [this] { c_.window.setPointer(Pointer::Custom); };
    const auto arrow = [this] { c_.window.setPointer(Pointer::Default); };
    for (PushButton* button : std::initializer_list<PushButton*>{
             &c_.switchButton, &c_.addCloseButton, &c_.browseCloseButton, &c_.deleteCloseButton,
             &c_.closeNowButton, &c_.clearCloseButton, &c_.closeSampleButton,
             &c_.closeMethodHelpButton, &c_.browseRunButton, &c_.runNowButton, &c_.deleteRunButton,
             &c_.clearRunButton, &c_.runSampleButton, &c_.copyHistoryButton,
             &c_.clearHistoryButton})
        button->pointerMoved.setHandler(custom);
    for (Control* control : std::initializer_list<Control*>{
             &c_.window, &c_.statusFrame, &c_.closeFrame, &c_.closeMethodFrame, &c_.startupFrame,
             &c_.scheduleFrame, &c_.runFrame, &c_.historyFrame, &c_.runList, &c_.closeList,
             &c_.hoursLabel, &c_.minutes})
        control->pointerMoved.setHandler(arrow);
}

void MainWindow::bringBack() {
    trayBehaviour_.bringBack();
}

std::string MainWindow::answerCommand(const std::string& request) {
    const auto command = commandOfRequest(request);
    if (!command)
        return answerMessage(
            {kWrongCommandLine,
             "this copy of Tidewell does not know the command '" + request + "'\n"});
    const bool monitoring = schedule_.monitoring;
    switch (command->verb) {
    case ScriptCommand::Verb::RunNow:
        c_.runNowButton.clicked.raise();
        break;
    case ScriptCommand::Verb::CloseNow:
        c_.closeNowButton.clicked.raise();
        break;
    case ScriptCommand::Verb::TurnOn:
        if (!monitoring)
            c_.switchButton.clicked.raise();
        break;
    case ScriptCommand::Verb::Stop:
        if (monitoring)
            c_.switchButton.clicked.raise();
        break;
    case ScriptCommand::Verb::Status:
        return answerMessage(
            {kCommandDone, statusText(currentStatus(), {services_.clock.now(),
                                                        services_.clock.utcOffsetSeconds()})});
    case ScriptCommand::Verb::History:
        return answerMessage(
            {kCommandDone, historyText(history_.newestJournalRows(command->rows))});
    }
    return answerMessage({});
}

ScheduleStatus MainWindow::currentStatus() const {
    ScheduleStatus status;
    status.monitoring = schedule_.monitoring;
    if (schedule_.mode)
        status.mode = *schedule_.mode;
    status.dayText = schedule_.day;
    status.time = schedule_.time;
    try {
        status.everyXSeconds =
            everyXInterval(schedule_.intervalText(EveryXField::Hours),
                           schedule_.intervalText(EveryXField::Minutes),
                           schedule_.intervalText(EveryXField::Seconds), services_.locale);
    } catch (const std::exception&) {
        // A field that is not a number: the report says so.
    }
    status.runEnabled = schedule_.runCheck == 1;
    status.closeEnabled = schedule_.closeCheck == 1;
    status.closeMethod = schedule_.closeMethod;
    const LocalDateTime now = services_.clock.now();
    if (status.monitoring && status.mode == ScheduleMode::EveryX && status.everyXSeconds)
        status.secondsToNext = std::max<std::int64_t>(0, std::int64_t{*status.everyXSeconds} -
                                                             schedule_.countdown.elapsedSeconds);
    else
        status.secondsToNext = secondsToNextTarget(status, now);
    return status;
}

} // namespace tw
