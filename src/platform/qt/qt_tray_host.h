#pragma once

#include "platform/tray_host.h"

#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>
#include <vector>

namespace tw {

// The notification-area icon of Qt (an XEmbed tray icon on X11, or a status notifier
// item where a D-Bus tray watcher runs).
class QtTrayHost : public QObject, public TrayHost {
    Q_OBJECT
  public:
    explicit QtTrayHost(QObject* parent = nullptr);

    bool areaRunning() const override { return trayAvailable(); }

    void add(const Picture* icon, const std::string& tip) override;
    void remove() override;
    void setIcon(const Picture& icon) override;
    void setTip(const std::string& tip) override;
    void showBalloon(const std::string& text, const std::string& title, int timeoutMs) override;
    void removeBalloon() override;
    void setReceiver(std::function<void(TrayNotification)> receiver) override;

    // Whether a notification area is running to take the icon.
    static bool trayAvailable();
    QSystemTrayIcon& icon() { return icon_; }

  private:
    void report(TrayNotification notification);
    void balloonGone(TrayNotification why);

    QSystemTrayIcon icon_;
    // Qt reports a click on the balloon but not its end; its balloon closes itself after
    // the time it was given, so this timer stands for that report.
    QTimer balloonTimer_;
    bool shown_ = false;
    std::function<void(TrayNotification)> receiver_;
};

// The button-level notifications that Qt's summary of a click (a press and release already
// paired) stands for, in order.
std::vector<TrayNotification> notificationsFor(QSystemTrayIcon::ActivationReason reason);

} // namespace tw
