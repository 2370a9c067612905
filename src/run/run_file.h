#pragma once

#include <string>

namespace tw {

class Dialogs;
class HistoryLog;
class Launcher;

inline constexpr const char* kRunFilePrefix = "Run file ";
// The counterpart of "C:\": launched programs start in the root folder.
inline constexpr const char* kLaunchDirectory = "/";

// Starts one run-list entry and logs it.
class ProgramLauncher {
  public:
    ProgramLauncher(Launcher& launcher, HistoryLog& history, Dialogs& dialogs);

    // One launch request for the whole entry, then one "Run file " row, whatever happened.
    // Reports its own unexpected failures and never passes one to the caller.
    void RunFile(const std::string& entry);

  private:
    Launcher& launcher_;
    HistoryLog& history_;
    Dialogs& dialogs_;
};

// The folder of the sample program (the system's basic text editor), or "".
std::string WindowsDirectoryPath(const Launcher& launcher);

} // namespace tw
