#pragma once

#include <stdexcept>
#include <string>

namespace tw {

// A launch request that started nothing (no such file, no handler, exec refused); callers
// that, like the shell's users, do not read the result may ignore exactly this failure.
class LaunchFailed : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Opens files with their type's default action, the way a file manager would.
class Launcher {
  public:
    virtual ~Launcher() = default;
    // Opens the file named by the whole text (never split, never given to a shell) with its
    // type's default action, shown normally, in workingDirectory, with no parameters, without
    // waiting for it. Throws LaunchFailed describing why nothing could be started.
    virtual void openFile(const std::string& file, const std::string& workingDirectory) = 0;
    // Opens a web address in the user's browser without waiting; throws LaunchFailed.
    virtual void openUrl(const std::string& url) = 0;
    // The folder holding the system's basic text editor (the sample program), or "".
    virtual std::string editorDirectory() const = 0;
    // The file name of that editor inside editorDirectory(), e.g. "notepad.exe".
    virtual std::string editorFileName() const = 0;
};

} // namespace tw
