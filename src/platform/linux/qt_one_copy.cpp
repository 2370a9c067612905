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
#include <string_view>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace tw {

namespace {

// How long a later start waits for the running copy: it may still be starting up.
constexpr int kAnswerMs = 10000;
// How long a script waits for its command: a Test button's work may ask the user first.
constexpr int kCommandMs = 60000;
constexpr const char* kApplicationInterface = "org.freedesktop.Application";
constexpr const char* kCommandInterface = "com.quillmark.Tidewell.Command";
constexpr const char* kShowRequest = "show\n";
constexpr const char* kShownAnswer = "shown\n";
// A script's request on the socket: this, the request text, a line end.
constexpr std::string_view kCommandPrefix = "command ";
constexpr std::size_t kLongestRequest = 64;

// The object path the desktop's convention derives from the bus name.
QString objectPath(const QString& appId) {
    return "/" + QString(appId).replace('.', '/');
}

// Where a script's commands are answered on the bus.
QString commandPath(const QString& appId) {
    return objectPath(appId) + "/Command";
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

// Sends the whole text on a connected socket, waiting for room at most ms milliseconds.
bool sendAll(int fd, const std::string& text, int ms) {
    const QDeadlineTimer deadline(ms);
    std::size_t sent = 0;
    while (sent < text.size()) {
        const ssize_t now = send(fd, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
        if (now > 0)
            sent += static_cast<std::size_t>(now);
        else if (now < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        else if (!waitFor(fd, POLLOUT, std::max<int>(1, deadline.remainingTime())))
            return false;
    }
    return true;
}

// Sends a request to the copy listening at the socket and reads its answer up to the end of
// the connection, waiting at most ms milliseconds; false when the copy cannot be reached.
bool exchange(const QString& socketPath, const std::string& request, std::string& answer,
              int ms = kAnswerMs) {
    answer.clear();
    sockaddr_un address;
    if (!localAddress(socketPath, address))
        return false;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const timeval connectLimit{1, 0}; // a full backlog would otherwise block
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &connectLimit, sizeof connectLimit);
    const bool connected =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        send(fd, request.data(), request.size(), MSG_NOSIGNAL) ==
            static_cast<ssize_t>(request.size());
    if (connected) {
        const QDeadlineTimer deadline(ms);
        char chunk[4096];
        ssize_t got = 0;
        while (waitFor(fd, POLLIN, std::max<int>(1, deadline.remainingTime())) &&
               (got = read(fd, chunk, sizeof chunk)) > 0)
            answer.append(chunk, static_cast<std::size_t>(got));
    }
    close(fd);
    return connected;
}

// One later start's connection: it sends its request at once and waits for the answer. One
// that sends nothing is dropped after a while.
class LaterStart : public QObject {
  public:
    LaterStart(int fd, std::function<void()> show,
               std::function<std::string(const std::string&)> command, QObject* parent)
        : QObject(parent), fd_(fd), show_(std::move(show)), command_(std::move(command)),
          readable_(fd, QSocketNotifier::Read) {
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
        if (got > 0 && !request_.ends_with('\n') && request_.size() < kLongestRequest)
            return;
        // The work may wait for the user; nothing more is read meanwhile.
        readable_.setEnabled(false);
        patience_.stop();
        if (request_ == kShowRequest) {
            show_();
            send(fd_, kShownAnswer, std::strlen(kShownAnswer), MSG_NOSIGNAL);
        } else if (request_.starts_with(kCommandPrefix) && request_.ends_with('\n')) {
            sendAll(fd_,
                    command_(request_.substr(kCommandPrefix.size(),
                                             request_.size() - kCommandPrefix.size() - 1)),
                    kAnswerMs);
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
    std::function<std::string(const std::string&)> command_;
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

// Where a script's commands arrive over the bus.
class CommandObject : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.quillmark.Tidewell.Command")
  public:
    explicit CommandObject(std::function<std::string(const std::string&)> command, QObject* parent)
        : QObject(parent), command_(std::move(command)) {}

  public slots:
    QString Run(const QString& request) {
        return QString::fromStdString(command_(request.toStdString()));
    }

  private:
    std::function<std::string(const std::string&)> command_;
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
    bus.registerObject(
        commandPath(appId_),
        new CommandObject([this](const std::string& request) { return command(request); }, this),
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
    const QString socketPath = this->socketPath();
    lock_ = std::make_unique<QLockFile>(lockPath());
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
        if (std::string answer;
            exchange(socketPath, kShowRequest, answer) && answer == kShownAnswer)
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

QString QtOneCopy::socketPath() const {
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + "/" + appId_ +
           ".socket";
}

QString QtOneCopy::lockPath() const {
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + "/" + appId_ +
           ".lock";
}

OneCopy::Asked QtOneCopy::ask(const std::string& request, std::string& answer) {
    problem_.clear();
    if (QDBusConnection::sessionBus().isConnected())
        return askOnBus(request, answer);
    return askBySocket(request, answer);
}

OneCopy::Asked QtOneCopy::askOnBus(const std::string& request, std::string& answer) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(appId_, commandPath(appId_), kCommandInterface, "Run");
    call << QString::fromStdString(request);
    call.setAutoStartService(false);
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, kCommandMs);
    if (reply.type() == QDBusMessage::ReplyMessage && reply.arguments().size() == 1) {
        answer = reply.arguments().front().toString().toStdString();
        return Asked::Answered;
    }
    if (reply.errorName() == QDBusError::errorString(QDBusError::ServiceUnknown) ||
        reply.errorName() == "org.freedesktop.DBus.Error.NameHasNoOwner")
        return Asked::NoCopy;
    problem_ = "the running copy of Tidewell did not answer: " + reply.errorMessage().toStdString();
    return Asked::NoAnswer;
}

OneCopy::Asked QtOneCopy::askBySocket(const std::string& request, std::string& answer) {
    const QDeadlineTimer deadline(kAnswerMs);
    for (;;) {
        QLockFile probe(lockPath());
        probe.setStaleLockTime(0);
        if (probe.tryLock(0))
            return Asked::NoCopy;
        if (probe.error() != QLockFile::LockFailedError) {
            problem_ = "cannot tell whether a copy of Tidewell runs: the lock file " +
                       probe.fileName().toStdString() + " cannot be used";
            return Asked::NoAnswer;
        }
        // The copy holding the lock may still be on its way to listening.
        if (exchange(socketPath(), std::string(kCommandPrefix) + request + "\n", answer,
                     kCommandMs) &&
            !answer.empty())
            return Asked::Answered;
        if (deadline.hasExpired()) {
            problem_ =
                "the running copy of Tidewell did not answer at " + socketPath().toStdString();
            return Asked::NoAnswer;
        }
        QThread::msleep(100);
    }
}

void QtOneCopy::answerLaterStarts() {
    const int fd = accept4(listener_->socket(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd >= 0)
        new LaterStart(
            fd, [this] { anotherStart(); },
            [this](const std::string& request) { return command(request); }, this);
}

void QtOneCopy::anotherStart() {
    if (onAnotherStart)
        onAnotherStart();
}

std::string QtOneCopy::command(const std::string& request) {
    return onCommand ? onCommand(request) : std::string();
}

} // namespace tw

#include "qt_one_copy.moc"
