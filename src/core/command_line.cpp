#include "core/command_line.h"

namespace tw {

CommandLine readCommandLine(const std::vector<std::string>& arguments) {
    CommandLine read;
    for (const std::string& argument : arguments) {
        if (argument == "-h" || argument == "--help")
            return {CommandLine::Request::Help, {}};
        if (argument == "--version")
            return {CommandLine::Request::Version, {}};
        if (argument == "-platform" || argument == "--platform")
            read.platformChosen = true;
    }
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

std::string helpText(const std::string& program) {
    return "Usage: " + program +
           " [--help | --version]\n"
           "\n"
           "Tidewell starts programs, closes programs, or both, on a schedule: weekly, daily\n"
           "or every X hours, minutes and seconds. Everything is set in its window, which\n"
           "can wait in the notification area. One copy runs per session: starting it again\n"
           "brings the running copy's window to the front.\n"
           "\n"
           "Options:\n"
           "  -h, --help     show this help and exit\n"
           "      --version  show the version and exit\n"
           "Qt's own options (such as -platform or -display) are accepted as well.\n"
           "\n"
           "Files:\n"
           "  ${XDG_CONFIG_HOME:-~/.config}/Quillmark.ini        lists and choices\n"
           "  ${XDG_CONFIG_HOME:-~/.config}/autostart/tidewell.desktop\n"
           "                                                    start at logon\n"
           "\n"
           "Exit status: 0 when the window was closed, or another copy was asked to show\n"
           "its window; 1 when the running copy did not answer; 2 for a wrong command line\n"
           "or when no display can be used.\n";
}

std::string versionText(const std::string& version) {
    return "Tidewell " + version + "\n";
}

std::string tryHelpText(const std::string& program) {
    return "Try '" + program + " --help' for more information.\n";
}

} // namespace tw
