#include "platform/qt/qt_tray_host.h"

#include "platform/qt/qt_picture.h"

namespace tw {

namespace {
// What Qt's own balloon lasts when not told otherwise.
constexpr int kPlatformBalloonMs = 10000;

QIcon qtIcon(const Picture* picture) {
    const auto* qt = dynamic_cast<const QtPicture*>(picture);
    return qt ? qt->toIcon() : QIcon();
}
} // namespace

std::vector<TrayNotification> notificationsFor(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return {TrayNotification::LeftDown, TrayNotification::LeftUp};
    case QSystemTrayIcon::Context:
        return {TrayNotification::RightDown, TrayNotification::RightUp};
    case QSystemTrayIcon::DoubleClick:
        return {TrayNotification::LeftDblClick};
    case QSystemTrayIcon::MiddleClick:
    case QSystemTrayIcon::Unknown:
        break;
    }
    return {};
}

QtTrayHost::QtTrayHost(QObject* parent) : QObject(parent) {
    balloonTimer_.setSingleShot(true);
    connect(&balloonTimer_, &QTimer::timeout, this,
            [this] { balloonGone(TrayNotification::BalloonTimedOut); });
    connect(&icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                for (TrayNotification n : notificationsFor(reason))
                    report(n);
            });
    connect(&icon_, &QSystemTrayIcon::messageClicked, this,
            [this] { balloonGone(TrayNotification::BalloonClicked); });
}

bool QtTrayHost::trayAvailable() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTrayHost::add(const Picture* icon, const std::string& tip) {
    icon_.setIcon(qtIcon(icon));
    icon_.setToolTip(QString::fromStdString(tip));
    shown_ = true;
    // Qt refuses to show an icon without a picture; setIcon shows it once one comes.
    if (!icon_.icon().isNull())
        icon_.show();
}

void QtTrayHost::remove() {
    shown_ = false;
    icon_.hide();
    // The balloon goes with its icon.
    if (balloonTimer_.isActive())
        balloonGone(TrayNotification::BalloonHidden);
}

void QtTrayHost::setIcon(const Picture& icon) {
    icon_.setIcon(qtIcon(&icon));
    if (shown_ && !icon_.isVisible() && !icon_.icon().isNull())
        icon_.show();
}

void QtTrayHost::setTip(const std::string& tip) {
    icon_.setToolTip(QString::fromStdString(tip));
}

void QtTrayHost::showBalloon(const std::string& text, const std::string& title, int timeoutMs) {
    const int ms = timeoutMs > 0 ? timeoutMs : kPlatformBalloonMs;
    icon_.showMessage(QString::fromStdString(title), QString::fromStdString(text),
                      QSystemTrayIcon::NoIcon, ms);
    report(TrayNotification::BalloonShown);
    balloonTimer_.start(ms);
}

void QtTrayHost::removeBalloon() {
    // Qt has no call to withdraw a balloon; an empty message replaces it and closes at once.
    icon_.showMessage(QString(), QString(), QSystemTrayIcon::NoIcon, 1);
}

void QtTrayHost::setReceiver(std::function<void(TrayNotification)> receiver) {
    receiver_ = std::move(receiver);
}

void QtTrayHost::report(TrayNotification notification) {
    if (receiver_)
        receiver_(notification);
}

void QtTrayHost::balloonGone(TrayNotification why) {
    balloonTimer_.stop();
    report(why);
}

} // namespace tw
