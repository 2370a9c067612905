#pragma once

#include <functional>
#include <string>

namespace tw {

class Autostart;
class Dialogs;
class Settings;

// The two start-up option boxes as their handlers see them. Setting a box's value raises
// its click handler, as a click by the user does.
class StartupBoxes {
  public:
    virtual ~StartupBoxes() = default;
    // "Load this software on Windows startup"
    virtual bool startWithSession() const = 0;
    virtual void setStartWithSession(bool checked) = 0;
    // "Minimized to system tray"
    virtual bool startInTray() const = 0;
    virtual void setStartInTray(bool checked) = 0;
    virtual void setStartInTrayVisible(bool visible) = 0;
};

// Starting the program when the user logs in, and whether it then begins in the tray.
class StartWithSession {
  public:
    StartWithSession(StartupBoxes& boxes, Settings& settings, Autostart& autostart,
                     Dialogs& dialogs, std::function<bool()> isLoading);

    void withSessionClicked();
    void inTrayClicked();
    // At start-up, once the boxes are restored. A stored "On" gets an entry that starts this
    // program: one left by an older program, or by an earlier install of this one, may be
    // missing or point elsewhere. A machine-wide entry, which only an administrator can
    // change, is told about once.
    void checkAtStartUp();

  private:
    // Each returns false after telling the user why the entry could not be changed.
    // onlyIfWrong leaves an entry that already starts this program untouched.
    bool registerStartup(bool onlyIfWrong = false);
    void tellOfMachineWideEntry();
    bool unregisterStartup();
    void tellUser(const std::string& what, const std::string& why);

    StartupBoxes& boxes_;
    Settings& settings_;
    Autostart& autostart_;
    Dialogs& dialogs_;
    std::function<bool()> isLoading_;
};

} // namespace tw
