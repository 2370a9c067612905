#pragma once

#include "schedule/schedule_view.h"
#include "support/memory_list_view.h"

#include <stdexcept>

namespace tw::test {

// The schedule controls as plain fields that tests set and read.
class FakeScheduleView : public ScheduleView {
  public:
    bool modeSelected(ScheduleMode m) const override { return mode == m; }
    std::string dayText() const override { return day; }
    std::string pickerText() const override { return picker; }
    TimeOfDay pickerTime() const override { return time; }
    std::string fieldText(EveryXField f) const override { return fields[static_cast<int>(f) - 1]; }
    void focusField(EveryXField f) override { focused = f; }
    int runCheck() const override { return check1; }
    int closeCheck() const override { return check2; }
    CloseMethod closeMethod() const override { return method; }
    void setTimeEnabled(bool e) override { timeEnabled = e; }
    void setDayEnabled(bool e) override { dayEnabled = e; }
    void setStatus(const std::string& t) override { status = t; }
    void setBarMaximum(std::int32_t m) override { barMaximum = m; }
    void setBarPosition(std::int32_t p) override { barPosition = p; }
    void setBarText(const std::string& t) override { barText = t; }
    std::string switchCaption() const override { return caption; }
    void setSwitchCaption(const std::string& c) override { caption = c; }
    void restoreDefaultPointer() override { ++pointerResets; }
    ListView& runList() override { return runs; }
    ListView& closeList() override { return closes; }

    // Sets the picker to a time and its text to the US long time form.
    void setPicker(int h, int m, int s) {
        time = {h, m, s};
        char buf[32];
        std::snprintf(buf, sizeof buf, "%d:%02d:%02d %s", h % 12 == 0 ? 12 : h % 12, m, s,
                      h < 12 ? "AM" : "PM");
        picker = buf;
    }

    std::optional<ScheduleMode> mode = ScheduleMode::Weekly;
    std::string day = "Monday";
    std::string picker = "9:00:00 AM";
    TimeOfDay time{9, 0, 0};
    std::string fields[3] = {"0", "30", "0"};
    std::optional<EveryXField> focused;
    int check1 = 1;
    int check2 = 0;
    CloseMethod method = CloseMethod::Soft;
    bool timeEnabled = true;
    bool dayEnabled = true;
    std::string status = "Off.";
    std::int32_t barMaximum = 100;
    std::int32_t barPosition = 0;
    std::string barText = "Progress Bar";
    std::string caption = "Turn On";
    int pointerResets = 0;
    MemoryListView runs{"ListView1"};
    MemoryListView closes{"ListView2"};
};

} // namespace tw::test
