#pragma once

#include "schedule/schedule_view.h"
#include "support/memory_list_view.h"

#include <optional>

namespace tw::test {

// What the schedule handlers show, as plain fields that tests read.
class FakeScheduleView : public ScheduleView {
  public:
    void focusField(EveryXField f) override { focused = f; }
    void setTimeEnabled(bool e) override { timeEnabled = e; }
    void setDayEnabled(bool e) override { dayEnabled = e; }
    void setStatus(const std::string& t) override { status = t; }
    void setBarMaximum(std::int32_t m) override { barMaximum = m; }
    void setBarPosition(std::int32_t p) override { barPosition = p; }
    void setBarText(const std::string& t) override { barText = t; }
    std::string switchCaption() const override { return caption; }
    void setSwitchCaption(const std::string& c) override { caption = c; }
    void restoreDefaultPointer() override { ++pointerResets; }

    std::optional<EveryXField> focused;
    bool timeEnabled = true;
    bool dayEnabled = true;
    std::string status = "Off.";
    std::int32_t barMaximum = 100;
    std::int32_t barPosition = 0;
    std::string barText = "Progress Bar";
    std::string caption = "Turn On";
    int pointerResets = 0;
};

// The schedule as the designed window starts it: Weekly on Monday at 09:00:00, Every X of
// 30 minutes, running on, closing off, Soft close.
inline ScheduleState designedSchedule() {
    ScheduleState state;
    state.mode = ScheduleMode::Weekly;
    state.day = "Monday";
    state.time = {9, 0, 0};
    state.intervalTexts = {"0", "30", "0"};
    state.runCheck = 1;
    state.closeCheck = 0;
    state.closeMethod = CloseMethod::Soft;
    return state;
}

} // namespace tw::test
