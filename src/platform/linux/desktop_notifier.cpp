#include "platform/linux/desktop_notifier.h"

#include "app_identity.h"
#include "core/product.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QStringList>
#include <QVariantMap>

namespace tw {

namespace {
constexpr const char* kService = "org.freedesktop.Notifications";
constexpr const char* kPath = "/org/freedesktop/Notifications";
// Long enough for the bus to start a service that is only installed, not yet running.
constexpr int kCallTimeoutMs = 3000;

QDBusMessage call(const QString& method) {
    return QDBusMessage::createMethodCall(kService, kPath, kService, method);
}
} // namespace

bool DesktopNotifier::notify(const std::string& title, const std::string& body) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    // A service that reads markup in the body would take an entry's "<" or "&" for a tag.
    const QDBusMessage capabilities =
        bus.call(call("GetCapabilities"), QDBus::Block, kCallTimeoutMs);
    if (capabilities.type() != QDBusMessage::ReplyMessage)
        return false;
    QString text = QString::fromStdString(body);
    if (!capabilities.arguments().isEmpty() &&
        capabilities.arguments().first().toStringList().contains("body-markup"))
        text = text.toHtmlEscaped();

    QVariantMap hints;
    hints.insert("desktop-entry", QStringLiteral(TIDEWELL_APP_ID));
    hints.insert("urgency", QVariant::fromValue(static_cast<uchar>(1))); // normal
    QDBusMessage notify = call("Notify");
    notify << QString(kProductTitle) << 0u << QStringLiteral(TIDEWELL_APP_ID)
           << QString::fromStdString(title) << text << QStringList() << hints << -1;
    return bus.call(notify, QDBus::Block, kCallTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

} // namespace tw
