#include "platform/qt/ini_settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <cstdlib>
#include <stdexcept>

namespace tw {

std::string userConfigDirectory() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.config";
}

IniSettingsStore::IniSettingsStore(std::string configDirectory)
    : configDirectory_(std::move(configDirectory)) {}

std::string IniSettingsStore::filePath(const std::string& application) const {
    const std::string dir = configDirectory_.empty() ? userConfigDirectory() : configDirectory_;
    return dir + "/" + application + ".ini";
}

// A fresh QSettings per call: every read sees what another running copy wrote, and
// QSettings writes through a temporary file renamed into place under a lock file.
std::string IniSettingsStore::get(const std::string& application, const std::string& section,
                                  const std::string& key, const std::string& fallback) {
    QSettings settings(QString::fromStdString(filePath(application)), QSettings::IniFormat);
    settings.beginGroup(QString::fromStdString(section));
    const QVariant value = settings.value(QString::fromStdString(key));
    if (!value.isValid() || settings.status() == QSettings::FormatError)
        return fallback;
    // A hand-edited value with unquoted commas reads back as a list; keep its text whole.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", ")).toStdString();
    return value.toString().toStdString();
}

void IniSettingsStore::save(const std::string& application, const std::string& section,
                            const std::string& key, const std::string& value) {
    const QString path = QString::fromStdString(filePath(application));
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(QString::fromStdString(section));
    settings.setValue(QString::fromStdString(key), QString::fromStdString(value));
    settings.endGroup();
    settings.sync();
    if (settings.status() == QSettings::AccessError)
        throw std::runtime_error("Could not write the settings file " + path.toStdString());
}

} // namespace tw
