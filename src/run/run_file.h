#pragma once

#include <optional>
#include <string>

namespace tw {

class Dialogs;
class HistoryLog;
class Launcher;

inline constexpr const char* kRunFilePrefix = "Run file ";
// Follows the entry, before the reason, in the row of a launch that started nothing (the
// dash is an em dash).
inline constexpr const char* kNotStarted = " \xE2\x80\x94 not started: ";
// The counterpart of "C:\": launched programs start in the root folder.
inline constexpr const char* kLaunchDirectory = "/";

// Starts one run-list entry and logs it.
class ProgramLauncher {
  public:
    ProgramLauncher(Launcher& launcher, HistoryLog& history, Dialogs& dialogs);

    // One launch request for the whole entry, then one "Run file " row; when nothing
    // started, the row ends with the reason, and that row's text is returned. Reports its own
    // unexpected failures and never passes one to the caller.
    std::optional<std::string> run(const std::string& entry);

  private:
    Launcher& launcher_;
    HistoryLog& history_;
    Dialogs& dialogs_;
};

// The folder of the sample program (the system's basic text editor), or "".
std::string sampleProgramFolder(const Launcher& launcher);

} // namespace tw
