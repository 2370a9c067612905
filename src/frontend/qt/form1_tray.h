#pragma once

#include "platform/qt/qt_tray_host.h"
#include "settings/settings.h"
#include "tray/start_with_session.h"
#include "tray/sys_tray.h"
#include "tray/tray_behaviour.h"

#include <QObject>
#include <QTimer>
#include <functional>

class QCheckBox;
class QWidget;

namespace tw {

class Autostart;
class Clock;
class Form1;
class Dialogs;
class EventPump;
class SettingsStore;

// The main window as the tray behaviour sees it.
class QtTrayWindow : public TrayWindow {
  public:
    explicit QtTrayWindow(QWidget& window) : window_(window) {}
    bool isMinimised() const override;
    void hide() override;
    void setNormalState() override;
    void showAndActivate() override;

  private:
    QWidget& window_;
    // Un-minimising a window maps it on X11, even a hidden one; so a hidden window takes
    // its normal state only when it shows again.
    bool normalWhenShown_ = false;
};

// The two start-up option boxes of the main window.
class QtStartupBoxes : public StartupBoxes {
  public:
    QtStartupBoxes(QCheckBox& check4, QCheckBox& check8) : check4_(check4), check8_(check8) {}
    bool check4() const override;
    void setCheck4(bool checked) override;
    bool check8() const override;
    void setCheck8(bool checked) override;
    void setCheck8Visible(bool visible) override;

  private:
    QCheckBox& check4_;
    QCheckBox& check8_;
};

// The main window's tray icon, its hiding to and restoring from the tray, and the two
// start-up options, wired to the window's widgets.
class Form1Tray : public QObject {
    Q_OBJECT
  public:
    struct Parts {
        QWidget& window;
        QCheckBox& Check4;
        QCheckBox& Check8;
        const Clock& clock;
        EventPump& events;
        SettingsStore& store;
        Dialogs& dialogs;
        Autostart& autostart;
        std::function<bool()> isLoading;
    };
    // How often a window minimised while no tray ran looks for one.
    static constexpr int kTrayPollMs = 1000;

    explicit Form1Tray(const Parts& parts);
    ~Form1Tray() override;

    // The control the window's start-up and shutdown drive (cSysTray1).
    cSysTray& cSysTray1() { return tray_; }
    TrayBehaviour& behaviour() { return behaviour_; }
    QtTrayHost& host() { return host_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Form_Resize();

    QWidget& window_;
    QtTrayHost host_;
    cSysTray tray_;
    QtTrayWindow trayWindow_;
    TrayBehaviour behaviour_;
    Settings settings_;
    QtStartupBoxes boxes_;
    StartWithSession startup_;
    QTimer trayPoll_;
};

// Gives the main window its tray icon control (cSysTray1) and the tray behaviour; called once
// from the window's connectHandlers, before start-up. The wiring lives as long as the window.
Form1Tray& connectTray(Form1& form);

} // namespace tw
