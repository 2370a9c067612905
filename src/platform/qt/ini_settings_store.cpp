#include "platform/qt/ini_settings_store.h"

#include "platform/qt/config_folder.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace tw {

namespace {

std::string errorText(int error) {
    return std::strerror(error);
}

// Why a file that exists cannot be read, or "" when it can.
std::string readFailure(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? std::string() : errorText(errno);
    ::close(fd);
    return {};
}

// Why the file could not be written, worked out after the write failed.
std::string writeFailure(const std::string& path) {
    if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0)
        return "the file is read-only (" + errorText(errno) + ")";
    const std::string folder = QFileInfo(QString::fromStdString(path)).absolutePath().toStdString();
    if (::access(folder.c_str(), W_OK) != 0)
        return "its folder " + folder + " cannot be written (" + errorText(errno) + ")";
    struct statvfs disk {};
    if (::statvfs(folder.c_str(), &disk) == 0 && disk.f_bavail == 0)
        return errorText(ENOSPC);
    return "the file could not be replaced";
}

// Copies the file beside itself before anything is written to it; the first copy of a day
// is kept, later ones of the same day are not made.
std::string keepCopy(const std::string& path) {
    const QString copy = QString::fromStdString(path) + QStringLiteral(".unreadable-") +
                         QDate::currentDate().toString(Qt::ISODate);
    if (QFileInfo::exists(copy) || QFile::copy(QString::fromStdString(path), copy))
        return copy.toStdString();
    return {};
}

} // namespace

IniSettingsStore::IniSettingsStore(std::string configDirectory)
    : configDirectory_(std::move(configDirectory)) {}

IniSettingsStore::~IniSettingsStore() = default;

std::string IniSettingsStore::filePath(const std::string& application) const {
    const std::string dir = configDirectory_.empty() ? userConfigDirectory() : configDirectory_;
    return dir + "/" + application + ".ini";
}

void IniSettingsStore::noteTrouble(StoreReadTrouble trouble) {
    if (reported_.insert(trouble.path).second)
        trouble_ = std::move(trouble);
}

std::optional<StoreReadTrouble> IniSettingsStore::takeReadTrouble() {
    return std::exchange(trouble_, std::nullopt);
}

// A fresh QSettings per call: every read sees what another running copy wrote, and
// QSettings writes through a temporary file renamed into place under a lock file. Qt keeps
// what parsed of a file with a bad line and reports the line only at the first parse of the
// file: that is when a copy is kept, before any write can drop the line.
std::unique_ptr<QSettings> IniSettingsStore::open(const std::string& path) {
    auto settings = std::make_unique<QSettings>(QString::fromStdString(path), QSettings::IniFormat);
    lastGetRead_ = true;
    // Qt parses a section when it is first asked for: ask for all of them now.
    settings->allKeys();
    if (settings->status() == QSettings::FormatError) {
        noteTrouble({path, "some of its lines could not be read", keepCopy(path)});
        // A fresh handle reads the parsed file from Qt's cache with a clean status, so
        // that a failed write is not hidden behind the format error.
        settings.reset();
        settings = std::make_unique<QSettings>(QString::fromStdString(path), QSettings::IniFormat);
    } else if (settings->status() == QSettings::AccessError) {
        // Qt also reports here a write of its own cache that failed before; only a file that
        // cannot be opened for reading went unread.
        if (const std::string why = readFailure(path); !why.empty()) {
            lastGetRead_ = false;
            noteTrouble({path, why, {}});
        }
    }
    return settings;
}

std::string IniSettingsStore::get(const std::string& application, const std::string& section,
                                  const std::string& key, const std::string& fallback) {
    const auto settings = open(filePath(application));
    settings->beginGroup(QString::fromStdString(section));
    const QVariant value = settings->value(QString::fromStdString(key));
    if (!value.isValid())
        return fallback;
    // A hand-edited value with unquoted commas reads back as a list; keep its text whole.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", ")).toStdString();
    return value.toString().toStdString();
}

void IniSettingsStore::save(const std::string& application, const std::string& section,
                            const std::string& key, const std::string& value) {
    const std::string path = filePath(application);
    QDir().mkpath(QFileInfo(QString::fromStdString(path)).absolutePath());
    // Rewriting a file that cannot be read would replace everything in it with one value.
    if (const std::string why = readFailure(path); !why.empty())
        throw StoreWriteError(path,
                              "the file cannot be read (" + why + "), so it is left as it is");
    const auto settings = open(path);
    settings->beginGroup(QString::fromStdString(section));
    settings->setValue(QString::fromStdString(key), QString::fromStdString(value));
    settings->endGroup();
    settings->sync();
    if (settings->status() == QSettings::AccessError)
        throw StoreWriteError(path, writeFailure(path));
}

} // namespace tw
