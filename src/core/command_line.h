#pragma once

#include <string>
#include <vector>

namespace tw {

// What the program was asked for on its command line. It has no options of its own beyond
// the conventional two; the window is where everything is set.
struct CommandLine {
    enum class Request { Start, Help, Version, Mistake };
    Request request = Request::Start;
    // For Mistake: the error to print.
    std::string mistake;
    // Qt's -platform option names the display platform, as QT_QPA_PLATFORM does.
    bool platformChosen = false;
};

// Reads the arguments after the program name.
CommandLine readCommandLine(const std::vector<std::string>& arguments);

// The texts printed for --help and --version; program is the name it was started by.
std::string helpText(const std::string& program);
std::string versionText(const std::string& version);
// The line that follows a mistake's error.
std::string tryHelpText(const std::string& program);

} // namespace tw
