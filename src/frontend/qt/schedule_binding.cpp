#include "frontend/qt/schedule_binding.h"

#include "core/error_report.h"
#include "frontend/qt/qt_schedule_view.h"
#include "platform/services.h"
#include "platform/timer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QRadioButton>

namespace tw {

ScheduleBinding::ScheduleBinding(const ScheduleWidgets& widgets, Services& services,
                                 FiringActions actions, std::string appTitle)
    : QObject(widgets.form), w_(widgets), services_(services), settings_(services.store) {
    view_ = std::make_unique<QtScheduleView>(widgets, services.locale);
    controls_ =
        std::make_unique<ScheduleControls>(*view_, settings_, services.clock, services.locale,
                                           services.dialogs, countdown_, std::move(appTitle));
    switch_ = std::make_unique<MonitoringSwitch>(*view_, services.clock, services.monitorTimer,
                                                 services.dialogs, countdown_);
    tick_ = std::make_unique<MonitoringTick>(*view_, services.clock, services.locale,
                                             services.events, services.monitorTimer,
                                             services.dialogs, countdown_, std::move(actions));

    services.monitorTimer.setHandler([this] { tick_->Timer1_Timer(); });
    connect(w_.PushButton2, &QAbstractButton::clicked, this,
            [this] { switch_->PushButton2_Click(); });

    connectModeOption(w_.Option1, &ScheduleControls::Option1_Click);
    connectModeOption(w_.Option2, &ScheduleControls::Option2_Click);
    connectModeOption(w_.Option3, &ScheduleControls::Option3_Click);
    connect(w_.cboWeekly, &QComboBox::currentTextChanged, this,
            [this] { run("cboWeekly_Click", [this] { controls_->cboWeekly_Click(); }); });
    connect(w_.dtpWeekly, &QDateTimeEdit::dateTimeChanged, this,
            [this] { run("dtpWeekly_Change", [this] { controls_->dtpWeekly_Change(); }); });
    connectField(w_.Text1, EveryXField::Hours);
    connectField(w_.Text2, EveryXField::Minutes);
    connectField(w_.Text3, EveryXField::Seconds);
    connect(w_.Check1, &QCheckBox::stateChanged, this,
            [this] { run("Check1_Click", [this] { controls_->Check1_Click(); }); });
    connect(w_.Check2, &QCheckBox::stateChanged, this,
            [this] { run("Check2_Click", [this] { controls_->Check2_Click(); }); });
    // Start-up's choice of the option already selected in the designed window changes
    // nothing and so runs no handler: the inputs must match that selection from the start.
    controls_->showUsableInputs();
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        connect(app, &QApplication::focusChanged, this, &ScheduleBinding::onFocusChanged);
}

ScheduleBinding::~ScheduleBinding() {
    services_.monitorTimer.setEnabled(false);
    services_.monitorTimer.setHandler({});
}

void ScheduleBinding::run(const char* routine, const std::function<void()>& handler) {
    runReportingFailures(services_.dialogs, routine, handler);
}

void ScheduleBinding::connectModeOption(QRadioButton* option, void (ScheduleControls::*handler)()) {
    // Selecting the option, by hand or in code, runs the handler; so does clicking it again
    // while it is selected, which restarts the Every X count.
    auto toggled = std::make_shared<bool>(false);
    const QString name = option->objectName() + "_Click";
    auto call = [this, handler, name] {
        run(name.toStdString().c_str(), [this, handler] { (controls_.get()->*handler)(); });
    };
    connect(option, &QAbstractButton::pressed, this, [toggled] { *toggled = false; });
    connect(option, &QAbstractButton::toggled, this, [toggled, call](bool on) {
        if (!on)
            return;
        *toggled = true;
        call();
    });
    connect(option, &QAbstractButton::clicked, this, [toggled, call] {
        if (!*toggled)
            call();
        *toggled = false;
    });
}

void ScheduleBinding::connectField(QLineEdit* field, EveryXField which) {
    const QString name = field->objectName() + "_Change";
    connect(field, &QLineEdit::textChanged, this, [this, which, name] {
        run(name.toStdString().c_str(), [this, which] { controls_->Text_Change(which); });
    });
}

void ScheduleBinding::onFocusChanged(QWidget* old, QWidget* now) {
    // Only a move to another control of the same window counts as leaving the field: not the
    // box the check itself shows, nor switching to another window.
    if (checkingField_ || !old || !now || old->window() != now->window())
        return;
    EveryXField which;
    if (old == w_.Text1)
        which = EveryXField::Hours;
    else if (old == w_.Text2)
        which = EveryXField::Minutes;
    else if (old == w_.Text3)
        which = EveryXField::Seconds;
    else
        return;
    checkingField_ = true;
    run("Text_LostFocus", [this, which] { controls_->Text_LostFocus(which); });
    checkingField_ = false;
}

} // namespace tw
