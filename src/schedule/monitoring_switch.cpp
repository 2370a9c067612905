#include "schedule/monitoring_switch.h"

#include "core/error_report.h"
#include "platform/clock.h"
#include "platform/timer.h"

namespace tw {

MonitoringSwitch::MonitoringSwitch(ScheduleState& state, ScheduleView& view, const Clock& clock,
                                   Timer& timer, Dialogs& dialogs)
    : state_(state), view_(view), clock_(clock), timer_(timer), dialogs_(dialogs) {}

void MonitoringSwitch::toggle() {
    GuardedRoutine r(dialogs_, "PushButton2_Click");
    if (r.test(100, [&] { return !state_.monitoring; })) {
        r.step(102, [&] { savedCaption_ = view_.switchCaption(); });
        r.step(104, [&] {
            view_.setSwitchCaption(kSwitchOnCaption);
            state_.monitoring = true;
        });
        if (r.test(106, [&] {
                return state_.mode == ScheduleMode::Weekly || state_.mode == ScheduleMode::Daily;
            }))
            r.step(108, [&] {
                state_.countdown.spanSeconds = remainingSeconds(clock_.now(), state_.time);
            });
        // A target is judged from this moment, not from the first tick: switching on just
        // before a stall still counts as switching on before the target.
        state_.countdown.occurrences.restart({clock_.now(), clock_.utcOffsetSeconds()});
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
    r.step(126, [&] {
        view_.setSwitchCaption(savedCaption_);
        state_.monitoring = false;
    });
}

} // namespace tw
