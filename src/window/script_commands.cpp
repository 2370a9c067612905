#include "window/script_commands.h"

#include "core/main_module.h"
#include "core/stored_values.h"
#include "history/history_log.h"
#include "platform/locale_text.h"
#include "settings/settings.h"
#include "settings/settings_keys.h"

#include <cstdio>
#include <exception>

namespace tw {

namespace {

const char* onOff(bool on) {
    return on ? "on" : "off";
}

std::string scheduleText(const ScheduleStatus& status) {
    if (!status.mode)
        return "none";
    if (*status.mode == ScheduleMode::EveryX)
        return status.everyXSeconds ? "every " + std::to_string(*status.everyXSeconds) + " seconds"
                                    : "every X, with a field that is not a number";
    const std::string time = status.time ? formatSeconds(status.time->secondOfDay()) : "none";
    if (*status.mode == ScheduleMode::Daily)
        return "daily " + time;
    return "weekly " + status.dayText + " " + time;
}

// A stored value that cannot be read is reported as missing rather than failing the whole
// report.
template <typename Read> auto orNothing(Read read) -> std::optional<decltype(read())> {
    try {
        return read();
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace

std::string statusText(const ScheduleStatus& status, const ClockReading& now) {
    std::string text = std::string("monitoring: ") + onOff(status.monitoring) + "\n";
    text += "schedule: " + scheduleText(status) + "\n";
    text += std::string("run: ") + onOff(status.runEnabled) + "\n";
    text += std::string("close: ") + onOff(status.closeEnabled) + "\n";
    text += std::string("close-method: ") +
            (status.closeMethod == CloseMethod::Hard ? "hard" : "soft") + "\n";
    if (status.secondsToNext) {
        text +=
            "next: " +
            HistoryLog::isoTime(laterBy(now.local, *status.secondsToNext), now.utcOffsetSeconds) +
            "\n";
        text += "seconds-to-next: " + std::to_string(*status.secondsToNext) + "\n";
    } else {
        text += "next: none\nseconds-to-next: none\n";
    }
    return text;
}

std::string historyText(const std::vector<JournalRow>& rows) {
    std::string text;
    for (const JournalRow& row : rows)
        text += journalLine(row);
    return text;
}

std::optional<std::int64_t> secondsToNextTarget(const ScheduleStatus& status,
                                                const LocalDateTime& now) {
    if (!status.monitoring || !status.mode || *status.mode == ScheduleMode::EveryX || !status.time)
        return std::nullopt;
    const auto next = nextOccurrence(now, *status.mode, *status.time, status.dayText);
    if (!next)
        return std::nullopt;
    return next->seconds;
}

std::string answerMessage(const CommandAnswer& answer) {
    return std::to_string(answer.status) + "\n" + answer.text;
}

CommandAnswer answerOfMessage(const std::string& message) {
    const std::size_t end = message.find('\n');
    const std::string first = message.substr(0, end);
    if (end == std::string::npos || first.size() != 1 || first[0] < '0' || first[0] > '2')
        return {kNoCopyAnswered, ""};
    return {first[0] - '0', message.substr(end + 1)};
}

CommandAnswer answerWithoutCopy(const ScriptCommand& command, SettingsStore& store,
                                const LocaleText& locale, const Clock& clock,
                                const std::string& historyFolder) {
    if (command.verb == ScriptCommand::Verb::History) {
        if (historyFolder.empty())
            return {};
        const HistoryJournal journal(fileSystemPath(historyFolder), kHistoryRowLimit);
        return {kCommandDone, historyText(journal.newestRows(command.rows))};
    }
    // The same keys and fallbacks as the window's start-up.
    Settings settings(store);
    const auto number = [&](const char* key, const char* fallback) {
        return orNothing([&] { return storedNumber(locale, settings.get(key, fallback)); });
    };
    ScheduleStatus status;
    const auto mode = number(keys::kScheduleMode, "1");
    if (mode && *mode >= 1 && *mode <= 3)
        status.mode = static_cast<ScheduleMode>(static_cast<int>(*mode));
    status.dayText = settings.get(keys::kWeeklyDay, "Monday");
    const LocalDateTime now = clock.now();
    if (const auto when = locale.parseDateTime(
            settings.get(keys::kWeeklyTime, locale.longTime(now.hour, now.minute, now.second))))
        status.time = TimeOfDay{when->hour, when->minute, when->second};
    status.everyXSeconds = orNothing([&] {
        return everyXInterval(settings.get(keys::kHours, "0"), settings.get(keys::kMinutes, "30"),
                              settings.get(keys::kSeconds, "0"), locale);
    });
    status.runEnabled = orNothing([&] {
                            return storedCheckValue(locale, settings.get(keys::kRunEnabled, "1"));
                        }) == 1;
    status.closeEnabled =
        orNothing(
            [&] { return storedCheckValue(locale, settings.get(keys::kCloseEnabled, "0")); }) == 1;
    status.closeMethod =
        number(keys::kHardClose, "0") == 1.0 ? CloseMethod::Hard : CloseMethod::Soft;
    return {kCommandDone, statusText(status, {now, clock.utcOffsetSeconds()})};
}

int runScriptCommand(const ScriptCommand& command, OneCopy& oneCopy,
                     const std::function<CommandAnswer()>& answerHere, const std::string& program) {
    std::string message;
    CommandAnswer answer;
    switch (oneCopy.ask(requestText(command), message)) {
    case OneCopy::Asked::Answered:
        answer = answerOfMessage(message);
        if (answer.status == kNoCopyAnswered && answer.text.empty())
            answer.text = "the running copy of Tidewell gave no answer\n";
        break;
    case OneCopy::Asked::NoCopy:
        answer = answerableWithoutCopy(command)
                     ? answerHere()
                     : CommandAnswer{kNoCopyAnswered, "no copy of Tidewell runs\n"};
        break;
    case OneCopy::Asked::NoAnswer:
        answer = answerableWithoutCopy(command)
                     ? answerHere()
                     : CommandAnswer{kNoCopyAnswered, oneCopy.problem() + "\n"};
        break;
    }
    if (answer.status == kCommandDone)
        std::fputs(answer.text.c_str(), stdout);
    else
        std::fprintf(stderr, "%s: %s", program.c_str(), answer.text.c_str());
    std::fflush(nullptr);
    return answer.status;
}

} // namespace tw
