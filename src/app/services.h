#pragma once

namespace tw {

class Autostart;
class Clipboard;
class Clock;
class Dialogs;
class EventPump;
class Launcher;
class LocaleText;
class Processes;
class SettingsStore;
class Timer;
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
};

} // namespace tw
