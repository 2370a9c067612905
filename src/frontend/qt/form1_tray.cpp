#include "frontend/qt/form1_tray.h"

#include "frontend/qt/form1.h"
#include "platform/qt/blue_q_icon.h"
#include "platform/qt/qt_picture.h"

#include <QCheckBox>
#include <QEvent>
#include <QWidget>

namespace tw {

bool QtTrayWindow::isMinimised() const {
    return window_.isMinimized() && !normalWhenShown_;
}

void QtTrayWindow::hide() {
    window_.hide();
}

void QtTrayWindow::setNormalState() {
    if (window_.isVisible())
        window_.setWindowState(window_.windowState() & ~Qt::WindowMinimized);
    else
        normalWhenShown_ = true;
}

void QtTrayWindow::showAndActivate() {
    normalWhenShown_ = false;
    // Shown first and un-minimised after, the way the window manager expects a minimised
    // window to come back.
    window_.setWindowState(window_.windowState() & ~Qt::WindowMinimized);
    window_.show();
    window_.raise();
    window_.activateWindow();
}

bool QtStartupBoxes::check4() const {
    return check4_.isChecked();
}

// QCheckBox reports every change of its value, by the user or by code, through toggled,
// which the handlers listen to; so setting a value here raises the click handler.
void QtStartupBoxes::setCheck4(bool checked) {
    check4_.setChecked(checked);
}

bool QtStartupBoxes::check8() const {
    return check8_.isChecked();
}

void QtStartupBoxes::setCheck8(bool checked) {
    check8_.setChecked(checked);
}

void QtStartupBoxes::setCheck8Visible(bool visible) {
    check8_.setVisible(visible);
}

Form1Tray::Form1Tray(const Parts& parts)
    : QObject(&parts.window), window_(parts.window), host_(),
      tray_(host_, parts.clock, parts.events, {false, QtPicture::icon(programIcon())}),
      trayWindow_(parts.window), behaviour_(trayWindow_, tray_, &QtTrayHost::trayAvailable),
      settings_(parts.store), boxes_(parts.Check4, parts.Check8),
      startup_(boxes_, settings_, parts.autostart, parts.dialogs, parts.isLoading) {
    tray_.setEvents(
        {nullptr, nullptr,
         [this](std::int16_t button, std::int32_t id) { behaviour_.cSysTray1_MouseUp(button, id); },
         nullptr});
    connect(&parts.Check4, &QCheckBox::toggled, this, [this] { startup_.Check4_Click(); });
    connect(&parts.Check8, &QCheckBox::toggled, this, [this] { startup_.Check8_Click(); });

    trayPoll_.setInterval(kTrayPollMs);
    connect(&trayPoll_, &QTimer::timeout, this, [this] {
        behaviour_.TrayCheck();
        if (!behaviour_.waitingForTray())
            trayPoll_.stop();
    });
    window_.installEventFilter(this);
}

Form1Tray::~Form1Tray() {
    window_.removeEventFilter(this);
}

bool Form1Tray::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::WindowStateChange) {
        // Hiding the window inside its own state change confuses the window manager, and
        // the handler may wait for its balloon: run it once the change is done.
        QTimer::singleShot(0, this, &Form1Tray::Form_Resize);
    }
    return QObject::eventFilter(watched, event);
}

void Form1Tray::Form_Resize() {
    behaviour_.Form_Resize();
    if (behaviour_.waitingForTray() && !trayPoll_.isActive())
        trayPoll_.start();
}

Form1Tray& connectTray(Form1& form) {
    Services& s = form.services;
    auto* wiring = new Form1Tray({form, *form.Check4, *form.Check8, s.clock, s.events, s.store,
                                  s.dialogs, s.autostart, [&form] { return form.IsLoading; }});
    // A control handed in already (a test's fake) keeps its place in start-up and shutdown.
    if (!form.cSysTray1)
        form.cSysTray1 = &wiring->cSysTray1();
    return *wiring;
}

} // namespace tw
