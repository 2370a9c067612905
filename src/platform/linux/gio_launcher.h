#pragma once

#include "platform/launcher.h"

namespace tw {

// Opens files the way a desktop does, without a shell: executables are started directly,
// desktop entries run their Exec line and other files go to their type's default handler
// (GIO's database of applications and per-user defaults).
class GioLauncher : public Launcher {
  public:
    GioLauncher();

    void openFile(const std::string& file, const std::string& workingDirectory) override;
    void openUrl(const std::string& url) override;
    std::string editorDirectory() const override;
    std::string editorFileName() const override;

  private:
    std::string editorPath_; // real path of the basic text editor, "" when none was found
};

// The basic text editors looked for, in order of preference; xedit comes with the X
// utilities every X session of ours has.
inline constexpr const char* kTextEditors[] = {
    "gedit", "gnome-text-editor", "kate",    "mousepad", "pluma",
    "xed",   "featherpad",        "leafpad", "xedit",
};

} // namespace tw
