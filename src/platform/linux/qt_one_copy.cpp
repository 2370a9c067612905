#include "platform/linux/qt_one_copy.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QFile>
#include <QLockFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QVariantMap>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

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

// A local stream socket's address; false when the path does not fit.
bool localAddress(const QString& path, sockaddr_un& address) {
    const QByteArray native = QFile::encodeName(path);
    address = {};
    address.sun_family = AF_UNIX;
    if (native.size() >= static_cast<qsizetype>(sizeof(address.sun_path)))
        return false;
    std::memcpy(address.sun_path, native.constData(), native.size());
    return true;
}

// Waits up to ms milliseconds for the descriptor to be ready for `events`.
bool waitFor(int fd, short events, int ms) {
    pollfd watched{fd, events, 0};
    int ready;
    while ((ready = poll(&watched, 1, ms)) < 0 && errno == EINTR) {
    }
    return ready > 0;
}

// One later start's connection: it sends its request at once and waits for the answer. One
// that sends nothing is dropped after a while.
class LaterStart : public QObject {
  public:
    LaterStart(int fd, std::function<void()> show, QObject* parent)
        : QObject(parent), fd_(fd), show_(std::move(show)), readable_(fd, QSocketNotifier::Read) {
        connect(&readable_, &QSocketNotifier::activated, this, &LaterStart::read);
        patience_.setSingleShot(true);
        connect(&patience_, &QTimer::timeout, this, &LaterStart::finish);
        patience_.start(kAnswerMs);
    }
    ~LaterStart() override { close(fd_); }

  private:
    void read() {
        char chunk[64];
        const ssize_t got = ::read(fd_, chunk, sizeof chunk);
        if (got < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        if (got > 0)
            request_.append(chunk, got);
        if (got > 0 && !request_.ends_with('\n') && request_.size() < 64)
            return;
        if (request_ == kShowRequest) {
            show_();
            send(fd_, kShownAnswer, std::strlen(kShownAnswer), MSG_NOSIGNAL);
        }
        finish();
    }
    void finish() {
        readable_.setEnabled(false);
        patience_.stop();
        deleteLater();
    }

    int fd_;
    std::function<void()> show_;
    std::string request_;
    QSocketNotifier readable_;
    QTimer patience_;
};

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

QtOneCopy::~QtOneCopy() {
    // The socket goes before the lock, so that no later start finds it without an owner.
    if (listener_) {
        close(listener_->socket());
        unlink(QFile::encodeName(socketPath_).constData());
    }
}

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
            listenForLaterStarts(socketPath);
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

// The socket lives in the user's own runtime folder; a plain local socket keeps the network
// module (and what it loads) out of the program.
void QtOneCopy::listenForLaterStarts(const QString& socketPath) {
    sockaddr_un address;
    if (!localAddress(socketPath, address)) {
        problem_ = "later starts cannot reach this copy: the path " + socketPath.toStdString() +
                   " is too long for a local socket";
        return;
    }
    // A copy killed outright left its socket behind.
    unlink(address.sun_path);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0 || bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        chmod(address.sun_path, S_IRUSR | S_IWUSR) != 0 || listen(fd, 8) != 0) {
        problem_ = "later starts cannot reach this copy at " + socketPath.toStdString() + ": " +
                   std::strerror(errno);
        if (fd >= 0)
            close(fd);
        return;
    }
    listener_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    socketPath_ = socketPath;
    connect(listener_, &QSocketNotifier::activated, this, &QtOneCopy::answerLaterStarts);
}

bool QtOneCopy::askRunningCopy(const QString& socketPath) {
    sockaddr_un address;
    if (!localAddress(socketPath, address))
        return false;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    std::string answer;
    const timeval connectLimit{1, 0}; // a full backlog would otherwise block
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &connectLimit, sizeof connectLimit);
    const std::size_t requestSize = std::strlen(kShowRequest);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        send(fd, kShowRequest, requestSize, MSG_NOSIGNAL) == static_cast<ssize_t>(requestSize)) {
        const QDeadlineTimer deadline(kAnswerMs);
        char chunk[64];
        ssize_t got = 0;
        while (!answer.ends_with('\n') &&
               waitFor(fd, POLLIN, std::max<int>(1, deadline.remainingTime())) &&
               (got = read(fd, chunk, sizeof chunk)) > 0)
            answer.append(chunk, got);
    }
    close(fd);
    return answer == kShownAnswer;
}

void QtOneCopy::answerLaterStarts() {
    const int fd = accept4(listener_->socket(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd >= 0)
        new LaterStart(
            fd, [this] { anotherStart(); }, this);
}

void QtOneCopy::anotherStart() {
    if (onAnotherStart)
        onAnotherStart();
}

} // namespace tw

#include "qt_one_copy.moc"
