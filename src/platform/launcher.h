#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace tw {

// A launch request that started nothing (no such file, no handler, exec refused). what() is
// the whole message; reason() says why in a few words for a history row, e.g. "no such file".
class LaunchFailed : public std::runtime_error {
  public:
    explicit LaunchFailed(const std::string& message, std::string reason = {})
        : std::runtime_error(message), reason_(std::move(reason)) {}
    std::string reason() const { return reason_.empty() ? what() : reason_; }

  private:
    std::string reason_;
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
    // The editor's full path as the system writes paths: the folder, its separator, the file.
    virtual std::string editorPath() const { return editorDirectory() + "/" + editorFileName(); }
    // The editor's name as its users know it, for a question that offers to start it.
    virtual std::string editorTitle() const { return editorFileName(); }
};

} // namespace tw
