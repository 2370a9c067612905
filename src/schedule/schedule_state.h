#pragma once

#include "core/close_method.h"
#include "schedule/schedule_model.h"
#include "schedule/target_occurrences.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace tw {

class ListView;

// Text1, Text2 and Text3: the hours, minutes and seconds of Every X.
enum class EveryXField { Hours = 1, Minutes = 2, Seconds = 3 };

// The two countdown numbers of the main window; not stored.
struct Countdown {
    std::int32_t spanSeconds = 0;
    std::int32_t elapsedSeconds = 0;
    // Which Daily and Weekly occurrences have come and fired.
    TargetOccurrences occurrences;
};

// The schedule as the window holds it. Each control's handler writes its control's new
// value here, start-up fills it from the store, and the tick and the firing read only this:
// the controls show it but are not asked for it again.
struct ScheduleState {
    // The selected mode option; none while no option is selected.
    std::optional<ScheduleMode> mode;
    // The picker's time of day.
    TimeOfDay time{};
    // The chosen day name of cboWeekly, "" when none is chosen.
    std::string day;
    // The Every X texts exactly as typed: the tick converts them, so that a text that is not
    // a number fails there, every tick, as it always did.
    std::array<std::string, 3> intervalTexts{};
    // The check box values of Check1 (run) and Check2 (close): 0 clear, 1 checked, 2 greyed.
    int runCheck = 0;
    int closeCheck = 0;
    CloseMethod closeMethod = CloseMethod::None;
    // Whether the monitoring switch is on (its caption reads "Stop").
    bool monitoring = false;
    Countdown countdown;

    const std::string& intervalText(EveryXField field) const {
        return intervalTexts[static_cast<std::size_t>(field) - 1];
    }
    std::string& intervalText(EveryXField field) {
        return intervalTexts[static_cast<std::size_t>(field) - 1];
    }
};

// The two lists a firing goes through: their entries as the window holds them.
struct ScheduleLists {
    ListView& run;
    ListView& close;
};

} // namespace tw
