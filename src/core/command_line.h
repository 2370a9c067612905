#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tw {

// A request for the running copy from a script: the two Test buttons, the monitoring
// switch, and two questions.
struct ScriptCommand {
    enum class Verb { RunNow, CloseNow, TurnOn, Stop, Status, History };
    Verb verb = Verb::Status;
    // For History: how many of the newest rows.
    int rows = 10;
    friend bool operator==(const ScriptCommand&, const ScriptCommand&) = default;
};

// What the program was asked for on its command line: to start, to print its help or
// version, or to pass a script's command to the running copy.
struct CommandLine {
    enum class Request { Start, Help, Version, Mistake, Command };
    Request request = Request::Start;
    // For Mistake: the error to print.
    std::string mistake;
    // Qt's -platform option names the display platform, as QT_QPA_PLATFORM does.
    bool platformChosen = false;
    // For Command.
    ScriptCommand command;
    // A script's command was asked for: no toolkit option goes with it, so a Mistake is
    // known before the toolkit starts.
    bool scriptCommand = false;
};

// Reads the arguments after the program name.
CommandLine readCommandLine(const std::vector<std::string>& arguments);

// A command as it travels to the running copy ("history 20"), and back from that text; a
// text that names no command gives nothing.
std::string requestText(const ScriptCommand& command);
std::optional<ScriptCommand> commandOfRequest(const std::string& text);

// A question (--status, --history) is answered from the stored settings and the journal when
// no copy runs; the other commands need the running copy.
inline bool answerableWithoutCopy(const ScriptCommand& command) {
    return command.verb == ScriptCommand::Verb::Status ||
           command.verb == ScriptCommand::Verb::History;
}

// The exit statuses of a command.
inline constexpr int kCommandDone = 0;
inline constexpr int kNoCopyAnswered = 1;
inline constexpr int kWrongCommandLine = 2;

// What the help says of one edition: the toolkit's options it takes too, and where it
// keeps its files.
struct EditionHelp {
    const char* toolkitOptions;
    const char* files;
};
inline constexpr EditionHelp kLinuxHelp{
    "Qt's own options (such as -platform or -display) are accepted as well.\n",
    "  ${XDG_CONFIG_HOME:-~/.config}/Quillmark.ini        lists and choices\n"
    "  ${XDG_CONFIG_HOME:-~/.config}/autostart/tidewell.desktop\n"
    "                                                    start at logon\n"
    "  ${XDG_STATE_HOME:-~/.local/state}/tidewell/history.log\n"
    "                                                    the history\n"};
inline constexpr EditionHelp kWindowsHelp{
    "", "  HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Quillmark\\Tidewell\n"
        "                                                    lists and choices\n"
        "  %LOCALAPPDATA%\\Tidewell\\history.log               the history\n"};

// The texts printed for --help and --version; program is the name it was started by.
std::string helpText(const std::string& program, const EditionHelp& edition = kLinuxHelp);
std::string versionText(const std::string& version);
// The line that follows a mistake's error.
std::string tryHelpText(const std::string& program);

} // namespace tw
