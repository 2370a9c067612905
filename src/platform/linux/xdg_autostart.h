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
    // Whether the entry holds exactly what add() writes: an entry edited elsewhere (another
    // Exec, hidden or disabled by the desktop's settings) no longer starts this program.
    bool startsThisProgram(const std::string& name) const override;
    // None: the older program whose machine-wide entry this would be ran only on Windows.
    std::optional<MachineWideEntry> machineWideEntry(const std::string&) const override {
        return std::nullopt;
    }

    // Where the entry called name lives.
    static std::string entryPath(const std::string& name);
    // The Exec= value (as written in the file) that runs exactly this program, no arguments.
    // The path is quoted by the Desktop Entry rules, so blanks, quotes, % and $ survive.
    static std::string execValue(const std::string& program);

  private:
    std::string entryText(const std::string& name) const;

    std::string executable_;
};

} // namespace tw
