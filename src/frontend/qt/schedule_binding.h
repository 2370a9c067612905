#pragma once

#include "frontend/qt/schedule_widgets.h"
#include "schedule/monitoring_switch.h"
#include "schedule/monitoring_tick.h"
#include "schedule/schedule_controls.h"
#include "settings/settings.h"

#include <QObject>
#include <functional>
#include <memory>

class QLineEdit;
class QRadioButton;
class QWidget;

namespace tw {

struct Services;

// Connects the schedule controls, the monitoring switch and the monitoring timer to their
// handlers. The signals used fire on a user's change and on an assignment in code alike, so
// start-up's restoring of the controls runs the same handlers. Owned by the form.
class ScheduleBinding : public QObject {
  public:
    ScheduleBinding(const ScheduleWidgets& widgets, Services& services, FiringActions actions,
                    std::string appTitle);
    ~ScheduleBinding() override;

    Countdown& countdown() { return countdown_; }
    MonitoringTick& tick() { return *tick_; }

  private:
    void run(const char* routine, const std::function<void()>& handler);
    void connectModeOption(QRadioButton* option, void (ScheduleControls::*handler)());
    void connectField(QLineEdit* field, EveryXField which);
    void onFocusChanged(QWidget* old, QWidget* now);

    ScheduleWidgets w_;
    Services& services_;
    Settings settings_;
    Countdown countdown_;
    std::unique_ptr<ScheduleView> view_;
    std::unique_ptr<ScheduleControls> controls_;
    std::unique_ptr<MonitoringSwitch> switch_;
    std::unique_ptr<MonitoringTick> tick_;
    bool checkingField_ = false;
};

} // namespace tw
