#pragma once

#include "platform/picture.h"

#include <memory>
#include <string>

namespace tw {

class Autostart;
class Clipboard;
class Clock;
class Dialogs;
class EndRequests;
class EventPump;
class Launcher;
class LocaleText;
class Notifier;
class Processes;
class SettingsStore;
class Timer;
class TrayHost;
class Windows;

// Everything the main window reaches outside itself, injected so that tests pass fakes.
struct Services {
    Clock& clock;
    LocaleText& locale;
    SettingsStore& store;
    Dialogs& dialogs;
    EventPump& events;
    Launcher& launcher;
    Processes& processes;
    Windows& windows;
    Autostart& autostart;
    Clipboard& clipboard;
    Timer& monitorTimer;
    // The notification area's icon, the timer that looks for a notification area while the
    // window waits to go there, and the program's icon.
    TrayHost& trayHost;
    Timer& trayWaitTimer;
    PicturePtr programIcon;
    // Desktop notifications, for firings that failed while the window was out of sight.
    Notifier& notifier;
};

// Every service of one platform backend, owned.
struct PlatformServices {
    PlatformServices();
    ~PlatformServices();
    PlatformServices(const PlatformServices&) = delete;
    PlatformServices& operator=(const PlatformServices&) = delete;

    std::unique_ptr<Clock> clock;
    std::unique_ptr<LocaleText> locale;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<Dialogs> dialogs;
    std::unique_ptr<EventPump> events;
    std::unique_ptr<Launcher> launcher;
    std::unique_ptr<Processes> processes;
    std::unique_ptr<Windows> windows;
    std::unique_ptr<Autostart> autostart;
    std::unique_ptr<Clipboard> clipboard;
    std::unique_ptr<Timer> monitorTimer;
    std::unique_ptr<TrayHost> trayHost;
    std::unique_ptr<Timer> trayWaitTimer;
    PicturePtr programIcon;
    std::unique_ptr<EndRequests> endRequests;
    std::unique_ptr<Notifier> notifier;
    // The folder of the running program, where its optional cursor and skin files live.
    std::string programFolder;
    // The user's folder for the history journal, in UTF-8.
    std::string historyFolder;

    // The services by reference, as the window takes them. The first call puts the
    // backend's store behind SafeSettingsStore, which tells the user through the dialogs, so
    // that every edition keeps edits the store refuses and says so in the same words.
    Services view();

  private:
    bool storeProtected_ = false;
};

// What a script's question needs when no copy of the program runs: no window, no display.
struct QuestionServices {
    ~QuestionServices();

    std::unique_ptr<Clock> clock;
    std::unique_ptr<LocaleText> locale;
    std::unique_ptr<SettingsStore> store;
    // As PlatformServices::historyFolder.
    std::string historyFolder;
};

// Each backend (a folder beside this header, chosen in platform.cmake) defines these three.
// Why this machine cannot show the program's window, or "" when it can; asked before the
// toolkit starts, so that the program can say what it needs instead of aborting.
std::string displayProblem();
// Builds every service of the backend; called once the toolkit runs.
std::unique_ptr<PlatformServices> makePlatformServices();
// Builds the services of a script's question; called once the toolkit's core runs.
QuestionServices makeQuestionServices();

// The toolkit ends a program for which no platform plugin starts (none installed for this
// session's display, or the display refuses it) with a fatal message and an abort. While
// this guard stands, such a failure ends the program with the toolkit's reason, what
// Tidewell needs, and exit status 2 instead.
class PlatformStartGuard {
  public:
    PlatformStartGuard();
    ~PlatformStartGuard();
    PlatformStartGuard(const PlatformStartGuard&) = delete;
    PlatformStartGuard& operator=(const PlatformStartGuard&) = delete;
};

} // namespace tw
