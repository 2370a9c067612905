#pragma once

#include "platform/autostart.h"

namespace tw {

// Start at logon through an XDG autostart desktop entry, <name>.desktop in
// ${XDG_CONFIG_HOME:-$HOME/.config}/autostart/, that runs our executable.
class XdgAutostart : public Autostart {
  public:
    // The running executable (/proc/self/exe).
    XdgAutostart();
    // Another executable, for tests.
    explicit XdgAutostart(std::string executablePath);

    std::string executableName() const override;
    void add(const std::string& name) override;
    void remove(const std::string& name) override;

    // Where the entry called name lives.
    static std::string entryPath(const std::string& name);
    // The Exec= value (as written in the file) that runs exactly this program, no arguments.
    // The path is quoted by the Desktop Entry rules, so blanks, quotes, % and $ survive.
    static std::string execValue(const std::string& program);

  private:
    std::string executable_;
};

} // namespace tw
