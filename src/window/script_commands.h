#pragma once

#include "core/close_method.h"
#include "core/command_line.h"
#include "history/history_journal.h"
#include "platform/one_copy.h"
#include "schedule/schedule_model.h"
#include "schedule/target_occurrences.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tw {

class Clock;
class LocaleText;
class SettingsStore;

// What --status reports, read from the running window or from the stored settings.
struct ScheduleStatus {
    bool monitoring = false;
    std::optional<ScheduleMode> mode; // nothing for a stored mode that names none
    std::string dayText;
    std::optional<TimeOfDay> time;             // nothing for a stored time that is none
    std::optional<std::int32_t> everyXSeconds; // nothing when a field is not a number
    bool runEnabled = false;
    bool closeEnabled = false;
    CloseMethod closeMethod = CloseMethod::Soft;
    std::optional<std::int64_t> secondsToNext; // nothing while nothing is due
};

// The --status text: one "key: value" line each for monitoring, schedule, run, close,
// close-method, next (ISO 8601 with the offset from UTC) and seconds-to-next.
std::string statusText(const ScheduleStatus& status, const ClockReading& now);
// The --history text: the rows as the journal writes them, one a line, oldest first.
std::string historyText(const std::vector<JournalRow>& rows);

// The seconds to the next Daily or Weekly firing while monitoring is on.
std::optional<std::int64_t> secondsToNextTarget(const ScheduleStatus& status,
                                                const LocalDateTime& now);

// The running copy's answer as it travels back: the exit status on the first line, then
// the text to print.
struct CommandAnswer {
    int status = kCommandDone;
    std::string text;
};
std::string answerMessage(const CommandAnswer& answer);
// An answer that does not start with a status line is the running copy's failure.
CommandAnswer answerOfMessage(const std::string& message);

// A question answered with no copy running: the stored settings (monitoring is then off)
// and the journal in historyFolder. Other commands need the running copy.
CommandAnswer answerWithoutCopy(const ScriptCommand& command, SettingsStore& store,
                                const LocaleText& locale, const Clock& clock,
                                const std::string& historyFolder);

// A later start's whole work for a script's command: passes it to the running copy, or answers
// a question here (answerHere) when none runs or none answers; prints the answer to stdout and
// what went wrong to stderr after "program: ", and returns the exit status.
int runScriptCommand(const ScriptCommand& command, OneCopy& oneCopy,
                     const std::function<CommandAnswer()>& answerHere, const std::string& program);

} // namespace tw
