// Start-up and shutdown of the main window.
#include "core/error_report.h"
#include "core/stored_values.h"
#include "platform/clock.h"
#include "platform/event_pump.h"
#include "platform/locale_text.h"
#include "platform/timer.h"
#include "settings/settings_keys.h"
#include "window/main_window.h"

#include <stdexcept>

namespace tw {

void MainWindow::start() {
    // The lists and choices are read, and stored again, in one go.
    const Settings::KeptOpen keptOpen = settings_.keptOpen();
    GuardedRoutine r(services_.dialogs, "Form_Load");
    r.step(100, [&] {
        if (fileExists(programFolder + "/" + kSkinFile))
            c_.window.applySkinColours();
    });
    r.step(102, [&] { loading_ = true; });
    r.step(104, [&] { c_.window.setTitle(kProductTitle); });
    r.step(106, [&] { c_.window.showProgramIcon(); });
    r.step(108, [&] { appTitle_ = shortenedTitle(kProductTitle); });
    r.step(110, [&] {
        const std::string cursor = programFolder + "/" + kHandCursorFile;
        if (fileExists(cursor))
            c_.window.loadCustomPointer(cursor);
    });
    r.step(112, [&] {
        openHomePageByChance(services_.launcher,
                             homePageRandom ? homePageRandom : seededRandom(services_.clock));
    });
    r.step(114, [&] {
        c_.runList.addColumn("Program(s) To Run");
        c_.runList.setColumnWidth(1, 7000);
    });
    r.step(116, [&] { settings_.loadList(runEntries_); });
    r.step(118, [&] {
        c_.closeList.addColumn("Program(s) To Close");
        c_.closeList.setColumnWidth(1, 7000);
    });
    r.step(120, [&] {
        c_.history.addColumn("Time");
        c_.history.addColumn("Action");
        c_.history.setColumnWidth(1, 2200);
        c_.history.setColumnWidth(2, 4200);
        if (!historyFolder.empty())
            history_.keepIn(
                std::make_unique<HistoryJournal>(fileSystemPath(historyFolder), kHistoryRowLimit));
    });
    r.step(122, [&] { settings_.loadList(closeEntries_); });
    restoreControls(r);
    r.step(144, [&] { loading_ = false; });
    r.step(146, [&] { trayIcon_.setTrayTip(kProductTitle); });
    r.step(148, [&] { trayIcon_.setInTray(true); });
}

// Puts every stored choice back into its control; each assignment raises the control's own
// handler, which takes the value into the schedule state, stores it again and updates the
// controls that depend on it.
void MainWindow::restoreControls(GuardedRoutine& r) {
    const LocaleText& locale = services_.locale;
    auto number = [&](const char* key, const char* fallback) {
        return storedNumber(locale, settings_.get(key, fallback));
    };
    if (r.test(124, [&] { return number(keys::kScheduleMode, "1") == 1; }))
        r.step(124, [&] { c_.weekly.setSelected(true); });
    else if (r.test(124, [&] { return number(keys::kScheduleMode, "1") == 2; }))
        r.step(124, [&] { c_.daily.setSelected(true); });
    else if (r.test(124, [&] { return number(keys::kScheduleMode, "1") == 3; }))
        r.step(124, [&] { c_.everyX.setSelected(true); });

    r.step(126, [&] {
        c_.runEnabled.setValue(storedCheckValue(locale, settings_.get(keys::kRunEnabled, "1")));
    });
    r.step(128, [&] {
        c_.closeEnabled.setValue(storedCheckValue(locale, settings_.get(keys::kCloseEnabled, "0")));
    });
    // Clearing an option raises no event: the state follows the group here.
    const auto restoreMethod = [&](OptionButton& option, CloseMethod method, bool selected) {
        option.setSelected(selected);
        if (!selected && schedule_.closeMethod == method)
            schedule_.closeMethod = CloseMethod::None;
    };
    r.step(130, [&] {
        restoreMethod(c_.softClose, CloseMethod::Soft, number(keys::kSoftClose, "1") == 1);
    });
    r.step(132, [&] {
        restoreMethod(c_.hardClose, CloseMethod::Hard, number(keys::kHardClose, "0") == 1);
    });
    r.step(134, [&] {
        const LocalDateTime now = services_.clock.now();
        const std::string text =
            settings_.get(keys::kWeeklyTime, locale.longTime(now.hour, now.minute, now.second));
        const auto when = locale.parseDateTime(text);
        if (!when)
            throw std::runtime_error(kTypeMismatch);
        c_.timePicker.setTime({when->hour, when->minute, when->second});
    });
    r.step(136, [&] {
        if (!c_.dayList.choose(settings_.get(keys::kWeeklyDay, "Monday")))
            throw std::runtime_error(kTextReadOnly);
    });
    r.step(138, [&] {
        c_.hours.setText(settings_.get(keys::kHours, "0"));
        c_.minutes.setText(settings_.get(keys::kMinutes, "30"));
        c_.seconds.setText(settings_.get(keys::kSeconds, "0"));
    });
    r.step(140, [&] {
        c_.startWithSession.setValue(settings_.get(keys::kWindowsStartup, "Off") == "On");
        c_.startInTray.setValue(settings_.get(keys::kMinimized, "Off") == "On");
    });
    r.step(142, [&] {
        const bool withSession = c_.startWithSession.value() == 1;
        c_.startInTray.setVisible(withSession);
        // Restoring the box wrote nothing; the entry it stands for may still be missing.
        // Before the window goes to the tray, so that a box this shows has a window.
        startWithSession_.checkAtStartUp();
        if (withSession && c_.startInTray.value() == 1)
            c_.window.minimise();
    });
}

void MainWindow::close() {
    if (closed_)
        return;
    closed_ = true;
    GuardedRoutine r(services_.dialogs, "Form_QueryUnload");
    r.step(100, [&] { services_.monitorTimer.setEnabled(false); });
    r.step(102, [&] { trayIcon_.setInTray(false); });
    r.step(104, [&] {
        services_.events.processPending();
        services_.events.processPending();
    });
    r.step(106, [&] { settings_.saveList(runEntries_); });
    r.step(108, [&] { settings_.saveList(closeEntries_); });
    r.step(110, [&] {
        services_.events.processPending();
        services_.events.processPending();
    });
    r.step(112, [&] {
        if (endProgram)
            endProgram();
    });
}

} // namespace tw
