#pragma once

#include <optional>
#include <string>

namespace tw {

// A start-at-logon entry for every user of the computer, which the user cannot change.
struct MachineWideEntry {
    std::string location; // where it is kept, as the system's tools show it
    std::string name;     // the entry's name there
    std::string command;  // what it starts
};

// The session's list of programs started at logon.
class Autostart {
  public:
    virtual ~Autostart() = default;
    // The running program's executable file name (the entry's name), or "" if unknown.
    virtual std::string executableName() const = 0;
    // Makes the running executable start at logon under name; throws std::runtime_error.
    virtual void add(const std::string& name) = 0;
    // Removes the entry called name; a missing entry is no failure; throws std::runtime_error.
    virtual void remove(const std::string& name) = 0;
    // Whether the entry called name exists and starts the running executable as add() would
    // write it; throws std::runtime_error when the entry cannot be read.
    virtual bool startsThisProgram(const std::string& name) const = 0;
    // The machine-wide entry that an older program starting at logon registered under name,
    // if one exists; throws std::runtime_error when it cannot be read.
    virtual std::optional<MachineWideEntry> machineWideEntry(const std::string& name) const = 0;
};

} // namespace tw
