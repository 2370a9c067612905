#pragma once

#include "platform/services.h"
#include "schedule/stepped_timer.h"
#include "support/fake_autostart.h"
#include "support/fake_clipboard.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_launcher.h"
#include "support/fake_locale_text.h"
#include "support/fake_notifier.h"
#include "support/fake_processes.h"
#include "support/fake_settings_store.h"
#include "support/fake_tray_host.h"
#include "support/fake_windows.h"

#include <memory>

namespace tw::test {

// Every platform service as a fake, for the window's behaviour over any toolkit's controls;
// nothing of it reaches the real system.
struct FakeServices {
    // The services to hand to the behaviour, the program's icon a fake picture.
    Services services() {
        return Services{clock,     locale,
                        store,     dialogs,
                        events,    launcher,
                        processes, windows,
                        autostart, clipboard,
                        timer,     tray,
                        trayWait,  std::make_shared<FakePicture>(PictureType::Icon, "blue Q"),
                        notifier};
    }

    FakeClock clock;
    FakeLocaleText locale;
    FakeSettingsStore store;
    FakeDialogs dialogs;
    FakeEventPump events{clock};
    FakeLauncher launcher;
    FakeProcesses processes;
    FakeWindows windows;
    FakeAutostart autostart;
    FakeClipboard clipboard;
    SteppedTimer timer;
    SteppedTimer trayWait;
    FakeTrayHost tray;
    FakeNotifier notifier;
};

} // namespace tw::test
