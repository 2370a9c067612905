// Connects the controls of the main window to their handlers.
#include "close/close_list.h"
#include "core/error_report.h"
#include "frontend/qt/form1.h"
#include "frontend/qt/form1_schedule.h"
#include "frontend/qt/form1_tray.h"
#include "frontend/qt/qt_schedule_view.h"
#include "history/history_commands.h"
#include "run/run_list.h"

#include <QPushButton>
#include <QRadioButton>

namespace tw {

void Form1::connectHandlers() {
    storeListOnChange(ListView1);
    storeListOnChange(ListView2);
    connectListCommands();
    connectScheduleHandlers(*this);
    tray_ = &connectTray(*this);
}

void Form1::bringBack() {
    tray_->behaviour().bringBack();
}

void Form1::connectListCommands() {
    runList_ = std::make_unique<RunListCommands>(*ListView1, services.dialogs, *runner_,
                                                 services.launcher);
    closeList_ = std::make_unique<CloseListCommands>(
        CloseListCommands::Parts{*ListView2, services.dialogs, *engine_, services.launcher,
                                 services.processes, services.locale, settings,
                                 [this] { return closeMethodOf(Option7, Option6); },
                                 [this] { return PushButton9->text().toStdString(); }, AppTitle});
    historyCommands_ = std::make_unique<HistoryCommands>(
        *ListView3, services.dialogs, services.events, services.clipboard, AppTitle);

    const auto bind = [this](QPushButton* button, auto handler) {
        connect(button, &QPushButton::clicked, this, handler);
    };
    bind(PushButton3, [this] { runList_->PushButton3_Click(); });
    bind(PushButton6, [this] { runList_->PushButton6_Click(); });
    bind(PushButton1, [this] { runList_->PushButton1_Click(); });
    bind(PushButton13, [this] { runList_->PushButton13_Click(); });
    bind(PushButton14, [this] { runList_->PushButton14_Click(); });
    bind(PushButton4, [this] { closeList_->PushButton4_Click(); });
    bind(PushButton7, [this] { closeList_->PushButton7_Click(); });
    bind(PushButton8, [this] { closeList_->PushButton8_Click(); });
    bind(PushButton9, [this] { closeList_->PushButton9_Click(); });
    bind(PushButton10, [this] { closeList_->PushButton10_Click(); });
    bind(PushButton11, [this] { closeList_->PushButton11_Click(); });
    bind(PushButton12, [this] { closeList_->PushButton12_Click(); });
    bind(PushButton16, [this] { historyCommands_->PushButton16_Click(); });
    bind(PushButton15, [this] { historyCommands_->PushButton15_Click(); });

    // An option button is clicked when it becomes selected, by the user or by code.
    connect(Option6, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            runReportingFailures(services.dialogs, "Option6_Click",
                                 [this] { closeList_->closeMethodClicked(); });
    });
    connect(Option7, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            runReportingFailures(services.dialogs, "Option7_Click",
                                 [this] { closeList_->closeMethodClicked(); });
    });
}

// Stores a list the moment its rows change, in the same form and under the same key as at
// the orderly exit, so that edits survive a kill, a crash or a lost session. Start-up's own
// loading is not stored back.
void Form1::storeListOnChange(QtListView* list) {
    list->setRowsChangedHandler([this, list] {
        if (!IsLoading)
            settings.SaveListItems(*list);
    });
}

} // namespace tw
