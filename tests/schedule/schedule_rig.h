#pragma once

#include "fake_schedule_view.h"
#include "schedule/monitoring_switch.h"
#include "schedule/monitoring_tick.h"
#include "schedule/schedule_controls.h"
#include "settings/settings.h"
#include "stepped_timer.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_locale_text.h"
#include "support/fake_settings_store.h"
#include "support/memory_list_view.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace tw::test {

// United States forms, or a long time form of the test's choosing (one without a colon
// stands for a picker that holds a date alone).
struct ScheduleLocale : FakeLocaleText {
    std::string longTime(int h, int m, int s) const override {
        return longTimeText ? *longTimeText : FakeLocaleText::longTime(h, m, s);
    }
    std::optional<std::string> longTimeText;
};

// The schedule handlers over fakes, with a driver that delivers one tick at every second
// boundary of the fake clock and a log of what the firings did, stamped with the clock.
struct ScheduleRig {
    ScheduleRig() {
        clock.set({2026, 12, 7, 8, 0, 0}); // a Monday
        clock.advanceMs(3);
        timer.setHandler([this] { tick.onTick(); });
        timer.onChange = [this](const std::string& change) {
            if (change == "timer on" || change == "timer off")
                log.push_back(change + " " + stamp());
        };
    }

    // "hh:mm:ss" of the fake clock.
    std::string stamp() const {
        const LocalDateTime n = clock.now();
        char buf[16];
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", n.hour, n.minute, n.second);
        return buf;
    }

    // Moves the clock to just after the next second boundary and ticks if the timer runs.
    bool step() {
        const std::int64_t ms = clock.millis();
        clock.advanceMs((ms / 1000 + 1) * 1000 + 3 - ms);
        return timer.tick();
    }
    void runSeconds(std::int64_t seconds) {
        for (std::int64_t i = 0; i < seconds; ++i)
            step();
    }
    void switchOn() { monitor.toggle(); }
    void setPicker(int h, int m, int s) { state.time = {h, m, s}; }

    FakeClock clock;
    FakeEventPump events{clock};
    FakeDialogs dialogs;
    ScheduleLocale locale;
    FakeSettingsStore store;
    Settings settings{store};
    FakeScheduleView view;
    ScheduleState state = designedSchedule();
    Countdown& countdown = state.countdown;
    MemoryListView runs{"ListView1"};
    MemoryListView closes{"ListView2"};
    SteppedTimer timer;
    std::vector<std::string> log;
    ScheduleControls controls{state, view, settings, clock, locale, dialogs, "Tidewell"};
    MonitoringSwitch monitor{state, view, clock, timer, dialogs};
    MonitoringTick tick{
        state,
        view,
        {runs, closes},
        clock,
        locale,
        events,
        timer,
        dialogs,
        {[this](const std::string& entry, CloseMethod method) {
             closeMethods.push_back(method);
             log.push_back("close " + entry + " " + stamp());
         },
         [this](const std::string& entry) { log.push_back("run " + entry + " " + stamp()); },
         [this](const std::string& note) { log.push_back(note + " " + stamp()); }}};
    std::vector<CloseMethod> closeMethods;
};

} // namespace tw::test
