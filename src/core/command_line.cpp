#include "core/command_line.h"

#include <array>
#include <charconv>
#include <utility>

namespace tw {

namespace {

struct CommandName {
    ScriptCommand::Verb verb;
    const char* name; // the option without its dashes, and the request's word
};

constexpr std::array<CommandName, 6> kCommands{{
    {ScriptCommand::Verb::RunNow, "run-now"},
    {ScriptCommand::Verb::CloseNow, "close-now"},
    {ScriptCommand::Verb::TurnOn, "turn-on"},
    {ScriptCommand::Verb::Stop, "stop"},
    {ScriptCommand::Verb::Status, "status"},
    {ScriptCommand::Verb::History, "history"},
}};

// The most rows --history asks for: the journal keeps no more than two files of 100,000.
constexpr int kMostHistoryRows = 200000;

std::optional<ScriptCommand::Verb> verbNamed(const std::string& word) {
    for (const CommandName& command : kCommands)
        if (word == command.name)
            return command.verb;
    return std::nullopt;
}

const char* nameOf(ScriptCommand::Verb verb) {
    for (const CommandName& command : kCommands)
        if (command.verb == verb)
            return command.name;
    return "";
}

// A positive count of rows written in decimal digits alone.
std::optional<int> rowCount(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || text[0] == '+' || text[0] == '-' || error != std::errc() || stop != end ||
        value < 1 || value > kMostHistoryRows)
        return std::nullopt;
    return value;
}

CommandLine mistake(std::string error) {
    CommandLine read;
    read.request = CommandLine::Request::Mistake;
    read.mistake = std::move(error);
    read.scriptCommand = true;
    return read;
}

// The arguments hold a command option: it must stand alone, with --history's count at most.
CommandLine readCommand(const std::vector<std::string>& arguments) {
    CommandLine read;
    read.request = CommandLine::Request::Command;
    read.scriptCommand = true;
    bool named = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const auto verb = argument.starts_with("--") ? verbNamed(argument.substr(2)) : std::nullopt;
        if (!verb)
            return mistake("unexpected argument '" + argument + "' beside a command");
        if (named)
            return mistake("one command at a time: '" + argument + "' follows another");
        named = true;
        read.command.verb = *verb;
        if (*verb == ScriptCommand::Verb::History && i + 1 < arguments.size() &&
            !arguments[i + 1].starts_with("--")) {
            const auto rows = rowCount(arguments[++i]);
            if (!rows)
                return mistake("'" + arguments[i] + "' is not a number of rows from 1 to " +
                               std::to_string(kMostHistoryRows));
            read.command.rows = *rows;
        }
    }
    return read;
}

} // namespace

CommandLine readCommandLine(const std::vector<std::string>& arguments) {
    CommandLine read;
    for (const std::string& argument : arguments) {
        if (argument == "-h" || argument == "--help")
            return {CommandLine::Request::Help, {}, false, {}, false};
        if (argument == "--version")
            return {CommandLine::Request::Version, {}, false, {}, false};
        if (argument == "-platform" || argument == "--platform")
            read.platformChosen = true;
    }
    for (const std::string& argument : arguments)
        if (argument.starts_with("--") && verbNamed(argument.substr(2)))
            return readCommand(arguments);
    if (arguments.empty())
        return read;
    const std::string& first = arguments.front();
    read.request = CommandLine::Request::Mistake;
    if (!first.empty() && first[0] == '-')
        read.mistake = "unknown option '" + first + "'";
    else
        read.mistake = "unexpected argument '" + first + "': Tidewell takes no files or arguments";
    return read;
}

std::string requestText(const ScriptCommand& command) {
    std::string text = nameOf(command.verb);
    if (command.verb == ScriptCommand::Verb::History)
        text += " " + std::to_string(command.rows);
    return text;
}

std::optional<ScriptCommand> commandOfRequest(const std::string& text) {
    const std::size_t space = text.find(' ');
    const auto verb = verbNamed(text.substr(0, space));
    if (!verb)
        return std::nullopt;
    ScriptCommand command{*verb};
    if (*verb != ScriptCommand::Verb::History)
        return space == std::string::npos ? std::optional(command) : std::nullopt;
    if (space == std::string::npos)
        return command;
    const auto rows = rowCount(text.substr(space + 1));
    if (!rows)
        return std::nullopt;
    command.rows = *rows;
    return command;
}

std::string helpText(const std::string& program, const EditionHelp& edition) {
    return "Usage: " + program +
           " [--help | --version]\n"
           "       " +
           program +
           " --run-now | --close-now | --turn-on | --stop | --status | --history [N]\n"
           "\n"
           "Tidewell starts programs, closes programs, or both, on a schedule: weekly, daily\n"
           "or every X hours, minutes and seconds. Everything is set in its window, which\n"
           "can wait in the notification area. One copy runs per session: starting it again\n"
           "brings the running copy's window to the front.\n"
           "\n"
           "Options:\n"
           "  -h, --help     show this help and exit\n"
           "      --version  show the version and exit\n" +
           std::string(edition.toolkitOptions) +
           "\n"
           "Commands for the running copy, for scripts (one at a time):\n"
           "      --run-now      start the programs to run, as \"Execute Run Now (Test)\"\n"
           "      --close-now    close the programs to close, as \"Execute Close Now (Test)\"\n"
           "      --turn-on      switch monitoring on (nothing happens when it is on)\n"
           "      --stop         switch monitoring off (nothing happens when it is off)\n"
           "      --status       print whether monitoring is on, the schedule, and the next\n"
           "                     occurrence and the seconds to it, one 'key: value' a line\n"
           "      --history [N]  print the newest N history rows (10 when N is left out):\n"
           "                     ISO time, a tab, time as shown, a tab, the action\n"
           "With no copy running, --status and --history read the stored settings and the\n"
           "history file instead.\n"
           "\n"
           "Files:\n" +
           std::string(edition.files) +
           "\n"
           "Exit status: 0 when the window was closed, another copy was asked to show its\n"
           "window, or a command was done; 1 when the running copy did not answer, or no\n"
           "copy runs for a command that needs one; 2 for a wrong command line or when no\n"
           "display can be used.\n";
}

std::string versionText(const std::string& version) {
    return "Tidewell " + version + "\n";
}

std::string tryHelpText(const std::string& program) {
    return "Try '" + program + " --help' for more information.\n";
}

} // namespace tw
