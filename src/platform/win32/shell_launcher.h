#pragma once

#include "platform/launcher.h"

namespace tw {

// Opens files and addresses through the shell (ShellExecuteExW with the type's default verb),
// shown normally, never waiting for the started program.
class ShellLauncher : public Launcher {
  public:
    void openFile(const std::string& file, const std::string& workingDirectory) override;
    void openUrl(const std::string& url) override;
    // The Windows folder, which holds notepad.exe.
    std::string editorDirectory() const override;
    std::string editorFileName() const override { return "notepad.exe"; }
    // "C:\Windows\notepad.exe", or "\notepad.exe" when the Windows folder is unknown.
    std::string editorPath() const override { return editorDirectory() + "\\" + editorFileName(); }
    std::string editorTitle() const override { return "Notepad"; }

    // The folder a launch runs in: "/" (the shared code's system root) is the root of the
    // drive Windows is installed on, e.g. "C:\"; any other folder is used as given.
    static std::string launchDirectory(const std::string& workingDirectory);
};

} // namespace tw
