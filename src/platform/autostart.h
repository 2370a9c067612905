#pragma once

#include <string>

namespace tw {

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
};

} // namespace tw
