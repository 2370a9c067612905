#include "platform/linux/qt_one_copy.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QVariantMap>

namespace tw {

namespace {

// How long a later start waits for the running copy: it may still be starting up.
constexpr int kAnswerMs = 10000;
constexpr const char* kApplicationInterface = "org.freedesktop.Application";
constexpr const char* kShowRequest = "show\n";
constexpr const char* kShownAnswer = "shown\n";

// The object path the desktop's convention derives from the bus name.
QString objectPath(const QString& appId) {
    return "/" + QString(appId).replace('.', '/');
}

} // namespace

// The standard interface a desktop uses to bring a running program forward.
class ApplicationObject : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
  public:
    explicit ApplicationObject(std::function<void()> activate, QObject* parent)
        : QObject(parent), activate_(std::move(activate)) {}

  public slots:
    void Activate(const QVariantMap& /*platformData*/) { activate_(); }

  private:
    std::function<void()> activate_;
};

QtOneCopy::QtOneCopy(QString appId) : appId_(std::move(appId)) {}

QtOneCopy::~QtOneCopy() = default;

QtOneCopy::Claim QtOneCopy::claim() {
    problem_.clear();
    if (QDBusConnection::sessionBus().isConnected())
        return claimOnBus();
    return claimBySocket();
}

QtOneCopy::Claim QtOneCopy::claimOnBus() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    // The object is there before the name, so whoever finds the name finds the object.
    bus.registerObject(objectPath(appId_), new ApplicationObject([this] { anotherStart(); }, this),
                       QDBusConnection::ExportAllSlots);
    const QDeadlineTimer deadline(kAnswerMs);
    for (;;) {
        const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> owned =
            bus.interface()->registerService(appId_, QDBusConnectionInterface::DontQueueService,
                                             QDBusConnectionInterface::DontAllowReplacement);
        if (!owned.isValid()) {
            problem_ = "cannot own the name " + appId_.toStdString() +
                       " on the session bus: " + owned.error().message().toStdString();
            return Claim::First;
        }
        if (owned.value() == QDBusConnectionInterface::ServiceRegistered)
            return Claim::First;

        QDBusMessage call = QDBusMessage::createMethodCall(appId_, objectPath(appId_),
                                                           kApplicationInterface, "Activate");
        call << QVariantMap();
        call.setAutoStartService(false);
        const QDBusMessage answer =
            bus.call(call, QDBus::Block, std::max<int>(1, deadline.remainingTime()));
        if (answer.type() == QDBusMessage::ReplyMessage)
            return Claim::HandedOver;
        // The owner ended between the two calls: try to become the copy again.
        const bool ownerGone =
            answer.errorName() == QDBusError::errorString(QDBusError::ServiceUnknown) ||
            answer.errorName() == "org.freedesktop.DBus.Error.NameHasNoOwner";
        if (!ownerGone || deadline.hasExpired()) {
            problem_ = "another copy of Tidewell runs but did not answer: " +
                       answer.errorMessage().toStdString();
            return Claim::NoAnswer;
        }
    }
}

QtOneCopy::Claim QtOneCopy::claimBySocket() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const QString socketPath = folder + "/" + appId_ + ".socket";
    lock_ = std::make_unique<QLockFile>(folder + "/" + appId_ + ".lock");
    // Only a lock whose process is gone is stale, however old it is.
    lock_->setStaleLockTime(0);
    const QDeadlineTimer deadline(kAnswerMs);
    for (;;) {
        if (lock_->tryLock(0)) {
            // A copy killed outright left its socket behind.
            QLocalServer::removeServer(socketPath);
            server_ = new QLocalServer(this);
            server_->setSocketOptions(QLocalServer::UserAccessOption);
            if (!server_->listen(socketPath))
                problem_ =
                    "later starts cannot reach this copy: " + server_->errorString().toStdString();
            connect(server_, &QLocalServer::newConnection, this, &QtOneCopy::answerLaterStarts);
            return Claim::First;
        }
        if (lock_->error() != QLockFile::LockFailedError) {
            problem_ = "cannot tell whether another copy runs: the lock file " +
                       lock_->fileName().toStdString() + " cannot be used";
            return Claim::First;
        }
        // The copy holding the lock may still be on its way to listening.
        if (askRunningCopy(socketPath))
            return Claim::HandedOver;
        if (deadline.hasExpired()) {
            problem_ =
                "another copy of Tidewell runs but did not answer at " + socketPath.toStdString();
            return Claim::NoAnswer;
        }
        QThread::msleep(100);
    }
}

bool QtOneCopy::askRunningCopy(const QString& socketPath) {
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(1000))
        return false;
    socket.write(kShowRequest);
    if (!socket.waitForBytesWritten(1000))
        return false;
    QByteArray answer;
    while (!answer.endsWith('\n') && socket.waitForReadyRead(kAnswerMs))
        answer += socket.readAll();
    return answer == kShownAnswer;
}

void QtOneCopy::answerLaterStarts() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            if (socket->readLine() == kShowRequest) {
                anotherStart();
                socket->write(kShownAnswer);
            }
            socket->disconnectFromServer();
        });
    }
}

void QtOneCopy::anotherStart() {
    if (onAnotherStart)
        onAnotherStart();
}

} // namespace tw

#include "qt_one_copy.moc"
