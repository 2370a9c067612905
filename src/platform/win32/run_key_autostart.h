#pragma once

#include "platform/autostart.h"

namespace tw {

// Start at logon through a value of HKEY_CURRENT_USER\...\CurrentVersion\Run named after
// the executable, holding its full path in quotes. The per-user key: the machine-wide one
// needs administrator rights that a normal user does not have.
class RunKeyAutostart : public Autostart {
  public:
    // The running executable.
    RunKeyAutostart();
    // Another executable, for tests.
    explicit RunKeyAutostart(std::string executablePath);

    std::string executableName() const override;
    // The folder that holds the executable.
    std::string executableFolder() const;
    void add(const std::string& name) override;
    void remove(const std::string& name) override;
    bool startsThisProgram(const std::string& name) const override;
    // The value name in HKEY_LOCAL_MACHINE's Run key, the older program's place (unquoted path),
    // looked up in the 32-bit programs' view first: that program was a 32-bit one.
    std::optional<MachineWideEntry> machineWideEntry(const std::string& name) const override;

    static constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    // The command the Run value holds for the program: its path quoted, so that a folder
    // with blanks (C:\Users\Jane Doe\...) can never start another program's "C:\Users\Jane.exe".
    static std::string command(const std::string& executablePath);

  private:
    std::string executable_;
};

} // namespace tw
