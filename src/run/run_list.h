#pragma once

#include "core/product.h"

#include <string>

namespace tw {

class Dialogs;
class Launcher;
class ListView;
class ProgramLauncher;

inline constexpr const char* kBrowseTitle = "Select EXE file";
inline constexpr const char* kRunBrowseFilter =
    "Executable Files (*.exe)|*.exe|Batch Files (*.bat;*.com)|*.bat;*.com|SCR Files "
    "(*.scr)|*.scr|LNK Files (*.lnk)|*.lnk";

// The sample program's full path: its folder (possibly "") and its file name.
std::string sampleProgramPath(const Launcher& launcher);
// What both sample commands say instead of adding a row when there is no editor.
inline constexpr const char* kNoSampleProgram =
    "No text editor was found on this computer, so there is no sample program to add.";

// The commands of the run list (ListView1); each reports its own failures.
class RunListCommands {
  public:
    RunListCommands(ListView& list, Dialogs& dialogs, ProgramLauncher& runner,
                    const Launcher& launcher, std::string appTitle = kProductTitle);

    // Browse To Exe: appends the chosen file's full path.
    void browse();
    // Delete Selected Item.
    void deleteSelected();
    // Execute Run Now (Test): starts every row in order.
    void runNow();
    // Clear List.
    void clear();
    // Load Sample/Example Items: the list becomes the sample program alone; with no editor
    // on the computer a box says so and the list is left as it is.
    void loadSample();

  private:
    ListView& list_;
    Dialogs& dialogs_;
    ProgramLauncher& runner_;
    const Launcher& launcher_;
    std::string appTitle_;
};

} // namespace tw
