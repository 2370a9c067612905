#pragma once

#include "frontend/qt/form1.h"
#include "platform/timer.h"
#include "support/fake_autostart.h"
#include "support/fake_clipboard.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_launcher.h"
#include "support/fake_locale_text.h"
#include "support/fake_processes.h"
#include "support/fake_settings_store.h"
#include "support/fake_windows.h"
#include "tray/tray_icon_control.h"

#include <memory>

namespace tw::test {

class FakeTimer : public Timer {
  public:
    void setInterval(int ms) override { interval_ = ms; }
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    bool isEnabled() const override { return enabled_; }
    void setHandler(std::function<void()> handler) override { handler_ = std::move(handler); }

  private:
    int interval_ = 0;
    bool enabled_ = false;
    std::function<void()> handler_;
};

class FakeTrayIcon : public TrayIconControl {
  public:
    void setTrayTip(const std::string& tip) override { tip_ = tip; }
    std::string trayTip() const override { return tip_; }
    void setInTray(bool inTray) override {
        inTray_ = inTray;
        calls.push_back(inTray);
    }
    bool inTray() const override { return inTray_; }
    std::vector<bool> calls;

  private:
    std::string tip_;
    bool inTray_ = false;
};

// The main window over fakes; nothing of it reaches the real system.
struct Form1Rig {
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
    FakeTimer timer;
    FakeTrayIcon tray;
    Services services{clock,     locale,  store,     dialogs,   events, launcher,
                      processes, windows, autostart, clipboard, timer};
    std::unique_ptr<Form1> form;
    int ends = 0;

    // A window ready for Form_Load, with the program folder given (none by default).
    explicit Form1Rig(const std::string& programFolder = "/nonexistent") {
        form = std::make_unique<Form1>(services);
        form->programFolder = programFolder;
        form->homePageRandom = [] { return 0.5; };
        form->endProgram = [this] { ++ends; };
        form->cSysTray1 = &tray;
        form->connectHandlers();
    }
    Form1& load() {
        form->Form_Load();
        return *form;
    }
};

} // namespace tw::test
