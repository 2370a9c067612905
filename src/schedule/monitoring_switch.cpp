#include "schedule/monitoring_switch.h"

#include "core/error_report.h"
#include "platform/clock.h"
#include "platform/timer.h"

namespace tw {

MonitoringSwitch::MonitoringSwitch(ScheduleView& view, const Clock& clock, Timer& timer,
                                   Dialogs& dialogs, Countdown& countdown)
    : view_(view), clock_(clock), timer_(timer), dialogs_(dialogs), countdown_(countdown) {}

void MonitoringSwitch::toggle() {
    GuardedRoutine r(dialogs_, "PushButton2_Click");
    if (r.test(100, [&] { return view_.switchCaption() != kSwitchOnCaption; })) {
        r.step(102, [&] { savedCaption_ = view_.switchCaption(); });
        r.step(104, [&] { view_.setSwitchCaption(kSwitchOnCaption); });
        if (r.test(106, [&] {
                return view_.modeSelected(ScheduleMode::Weekly) ||
                       view_.modeSelected(ScheduleMode::Daily);
            }))
            r.step(108, [&] {
                countdown_.spanSeconds = remainingSeconds(clock_.now(), view_.pickerTime());
            });
        // A target is judged from this moment, not from the first tick: switching on just
        // before a stall still counts as switching on before the target.
        countdown_.occurrences.restart({clock_.now(), clock_.utcOffsetSeconds()});
        r.step(110, [&] { timer_.setInterval(kTickIntervalMs); });
        r.step(112, [&] { timer_.setEnabled(true); });
        return;
    }
    r.step(114, [&] { timer_.setEnabled(false); });
    r.step(116, [&] { timer_.setInterval(0); });
    r.step(118, [&] { view_.setStatus(kStatusOff); });
    r.step(120, [&] { view_.restoreDefaultPointer(); });
    r.step(122, [&] { view_.setBarPosition(0); });
    r.step(124, [&] { view_.setBarText(kProgressBarIdleText); });
    r.step(126, [&] { view_.setSwitchCaption(savedCaption_); });
}

} // namespace tw
