#pragma once

#include "close/close_engine.h"

#include <functional>
#include <string>

namespace tw {

class Dialogs;
class Launcher;
class ListView;
class LocaleText;
class Processes;
class Settings;

inline constexpr const char* kAddClosePrompt = "Enter exe name or windows title here";
inline constexpr const char* kAddCloseTitle = "Program(s) To Close";
inline constexpr const char* kCloseBrowseFilter = "Executable Files (*.exe)|*.exe|";
// The last line of the question asked before an entry that ends many programs, or matches
// one that is never ended, is added or tested with Hard close.
inline constexpr const char* kAddAnyway = "Add it to the list anyway?";
inline constexpr const char* kCloseAnyway = "Close them now?";
inline constexpr const char* kCloseMethodHelp =
    "Soft close will close window naturally as if you hit X button (at the top-right corner of "
    "the window).\r\n\r\nHard close will close the window as if you used Ctrl+Alt+Delete > "
    "Task Manager > End Process\r\n\r\nMost people only need to use the soft close feature.";

// The commands of the close list (ListView2) and of the close method; each command reports
// its own failures.
class CloseListCommands {
  public:
    struct Parts {
        ListView& list;
        Dialogs& dialogs;
        CloseEngine& engine;
        Launcher& launcher;
        Processes& processes;
        const LocaleText& locale;
        Settings& settings;
        // The method the options show at this moment.
        std::function<CloseMethod()> method;
        // The caption "Execute Close Now (Test)" bears at this moment.
        std::function<std::string()> testCaption;
        // The application title, set during start-up.
        const std::string& appTitle;
    };
    explicit CloseListCommands(const Parts& parts) : p_(parts) {}

    // Add 'Program To Close' Item: appends the typed text unchanged (after a question when
    // Hard close would end many programs with it).
    void addTyped();
    // Delete Selected Item.
    void deleteSelected();
    // Browse To Exe: appends the chosen file's name without its folder.
    void browse();
    // Execute Close Now (Test): closes every row by the method selected for it.
    void closeNow();
    // "?": explains the two methods.
    void explainMethods();
    // Clear List.
    void clear();
    // Load Sample/Example Items: the list becomes the sample program and its start is offered.
    void loadSample();
    // A click on Hard close or Soft close: stores both options as they now stand.
    void closeMethodClicked();

  private:
    // With Hard close selected: true when the entry matches no more than a few programs and
    // none that is spared, else the user's answer to a question ending with `question`.
    bool hardCloseConfirmed(const std::string& entry, const char* question);

    Parts p_;
};

} // namespace tw
