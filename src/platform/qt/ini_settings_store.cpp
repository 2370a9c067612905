#include "platform/qt/ini_settings_store.h"

#include "platform/qt/config_folder.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QSettings>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string_view>
#include <sys/stat.h>
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

// Qt is never shown a settings file that is not there: when its first look finds none, it
// can take the size and time of the file another copy creates that moment for those of the
// nothing it read, and keep answering with nothing until the file changes again.
bool isMissing(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) != 0 && errno == ENOENT;
}

// Sets the file's modification time to the start of the given millisecond since the epoch.
void setModifiedMillisecond(const std::string& path, long long millisecond) {
    const long long nanoseconds = millisecond * 1000000;
    const timespec times[2] = {{0, UTIME_OMIT},
                               {nanoseconds / 1000000000, nanoseconds % 1000000000}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
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

constexpr const char* kNulInValue =
    "a value in it holds a NUL byte, which no file name can hold; it is shown as \uFFFD";

// Whether text is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool isUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        char32_t point = 0;
        if (lead < 0x80) {
            // Paths are mostly ASCII: skip it eight bytes at a time.
            for (++i; i + 8 <= text.size(); i += 8) {
                std::uint64_t chunk = 0;
                std::memcpy(&chunk, text.data() + i, 8);
                if (chunk & 0x8080808080808080u)
                    break;
            }
            continue;
        }
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            point = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            point = lead & 0x0Fu;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            point = lead & 0x07u;
        } else {
            return false;
        }
        if (i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0u) != 0x80u)
                return false;
            point = (point << 6) | (next & 0x3Fu);
        }
        const char32_t least = length == 3 ? 0x800 : length == 4 ? 0x10000 : 0x80;
        if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Why some of the file would not survive being written back, or "" when all of it would.
// Qt decodes the file as UTF-8 and drops the bytes that are not (a file name's bytes in
// another encoding), and keeps only the last of the values of a key present twice in a group
// (a group may itself appear twice: its keys are merged). Both are lost at the next write.
std::string lossOnRewrite(const std::string& text) {
    if (!isUtf8(text))
        return "some of its text is not UTF-8 (a file name in another encoding, for "
               "example), which Tidewell cannot keep as it is";
    std::set<std::pair<std::string, std::string>> seen;
    std::string group = "General";
    bool continued = false;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string_view line = trimmed(std::string_view(text).substr(start, end - start));
        start = end + 1;
        // A line that ends in a backslash goes on in the next line.
        const bool wasContinued = std::exchange(continued, !line.empty() && line.back() == '\\');
        if (wasContinued || line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[') {
            group = std::string(trimmed(line.substr(1, line.find(']') - 1)));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string key(trimmed(line.substr(0, equals)));
        if (!seen.emplace(group, key).second)
            return "the key " + key + " appears more than once in its group [" + group +
                   "], and only the last of its values is used";
    }
    return {};
}

// The whole file in one read where it can: a stream reads a long list a few kilobytes at a
// time.
std::string fileText(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    struct stat info {};
    std::string text(::fstat(fd, &info) == 0 ? static_cast<std::size_t>(info.st_size) + 1 : 4096,
                     '\0');
    std::size_t length = 0;
    for (;;) {
        if (length == text.size())
            text.resize(text.size() * 2);
        const ssize_t got = ::read(fd, text.data() + length, text.size() - length);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        length += static_cast<std::size_t>(got);
    }
    ::close(fd);
    text.resize(length);
    return text;
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

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

void appendHexEscape(std::string& out, unsigned char ch) {
    constexpr const char* kDigits = "0123456789abcdef";
    out += "\\x";
    if (ch >= 16)
        out += kDigits[ch >> 4];
    out += kDigits[ch & 15u];
}

// How Qt writes each byte of a value: as it is (0), as it is but in a quoted value, or
// escaped.
constexpr unsigned kQuotes = 1, kEscaped = 2;
constexpr auto kByteKinds = [] {
    std::array<unsigned char, 256> kinds{};
    for (unsigned c = 0; c < 0x20; ++c)
        kinds[c] = kEscaped;
    kinds['"'] = kinds['\\'] = kEscaped;
    kinds[';'] = kinds[','] = kinds['='] = kQuotes;
    return kinds;
}();

// The text Qt writes after "key=" for a string value, byte for byte, or nothing for the
// values Qt marks or re-encodes on their way (a leading '@', a NUL, text that is not UTF-8):
// those still go through Qt. Qt encodes such a value one character at a time, with two
// allocations each; a long stored list spends nearly all of its save there.
struct IniValue {
    std::string text;
    bool quoted = false; // written between double quotes
};

std::optional<IniValue> iniValueText(const std::string& value) {
    if ((!value.empty() && value.front() == '@') || value.find('\0') != std::string::npos ||
        !isUtf8(value))
        return std::nullopt;
    IniValue result;
    std::string& out = result.text;
    out.reserve(value.size() + value.size() / 16 + 2);
    bool& quoted = result.quoted;
    // After a \x escape a hex digit would be read as part of it, so it is escaped too.
    bool escapeHexDigit = false;
    for (std::size_t i = 0; i < value.size(); ++i) {
        // Most of a value is written as it is: copied a run at a time.
        std::size_t plain = i;
        if (!escapeHexDigit) {
            unsigned seen = 0;
            for (; plain < value.size(); ++plain) {
                const unsigned kind = kByteKinds[static_cast<unsigned char>(value[plain])];
                if (kind == kEscaped)
                    break;
                seen |= kind;
            }
            quoted = quoted || (seen & kQuotes);
        }
        if (plain > i) {
            out.append(value, i, plain - i);
            i = plain - 1;
            continue;
        }
        const char c = value[i];
        const auto ch = static_cast<unsigned char>(c);
        if (c == ';' || c == ',' || c == '=')
            quoted = true;
        if (escapeHexDigit && isHexDigit(c)) {
            appendHexEscape(out, ch);
            continue;
        }
        escapeHexDigit = false;
        switch (c) {
        case '\a':
            out += "\\a";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\v':
            out += "\\v";
            break;
        case '"':
        case '\\':
            out += '\\';
            out += c;
            break;
        default:
            if (ch <= 0x1F) {
                appendHexEscape(out, ch);
                escapeHexDigit = true;
            } else {
                out += c; // UTF-8 bytes are written as they are
            }
        }
    }
    quoted = quoted || (!out.empty() && (out.front() == ' ' || out.back() == ' '));
    return result;
}

// Keys Qt writes as they are; others are escaped and go through Qt.
bool isPlainKey(const std::string& key) {
    return !key.empty() && std::all_of(key.begin(), key.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-' || c == '.';
    });
}

// Where the line "key=..." of a section starts and ends (after its newline) in a file as Qt
// writes it: one "[section]" line, then one line per key. Nothing when either is absent.
std::optional<std::pair<std::size_t, std::size_t>>
keyLine(const std::string& text, const std::string& section, const std::string& key) {
    const std::string header = "[" + section + "]\n";
    std::size_t at = text.starts_with(header) ? 0 : text.find("\n" + header);
    if (at == std::string::npos)
        return std::nullopt;
    at = text.find('\n', at + (at ? 1 : 0)) + 1;
    const std::string prefix = key + "=";
    while (at < text.size() && text[at] != '[' && text[at] != '\n') {
        const std::size_t end = text.find('\n', at);
        if (end == std::string::npos)
            return std::nullopt;
        if (text.compare(at, prefix.size(), prefix) == 0)
            return std::pair{at, end + 1};
        at = end + 1;
    }
    return std::nullopt;
}

// Sections and keys whose lines this store reads and writes itself: plain names, outside
// Qt's [General], which it keeps under another name.
bool linesWrittenHere(const std::string& section, const std::string& key) {
    return isPlainKey(key) && isPlainKey(section) &&
           QString::fromStdString(section).compare(QStringLiteral("general"),
                                                   Qt::CaseInsensitive) != 0;
}

// The line Qt writes for a key and its value, newline included.
std::string iniLine(const std::string& key, const IniValue& value) {
    const std::string_view quote = value.quoted ? "\"" : "";
    // Built in place: a stored list's line is hundreds of kilobytes.
    std::string line;
    line.reserve(key.size() + value.text.size() + 4);
    line.append(key).append("=").append(quote).append(value.text).append(quote).append("\n");
    return line;
}

} // namespace

std::optional<IniSettingsStore::FileStamp> IniSettingsStore::stampOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return FileStamp{info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec, info.st_size,
                     static_cast<long long>(info.st_ino)};
}

IniSettingsStore::IniSettingsStore(std::string configDirectory)
    : configDirectory_(std::move(configDirectory)) {}

IniSettingsStore::~IniSettingsStore() = default;

std::string IniSettingsStore::filePath(const std::string& application) const {
    const std::string dir = configDirectory_.empty() ? userConfigDirectory() : configDirectory_;
    return dir + "/" + application + ".ini";
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
        trouble_.note({path, "some of its lines could not be read", keepCopy(path)});
        // A fresh handle reads the parsed file from Qt's cache with a clean status, so
        // that a failed write is not hidden behind the format error.
        settings.reset();
        settings = std::make_unique<QSettings>(QString::fromStdString(path), QSettings::IniFormat);
    } else if (settings->status() == QSettings::AccessError) {
        // Qt also reports here a write of its own cache that failed before; only a file that
        // cannot be opened for reading went unread.
        if (const std::string why = readFailure(path); !why.empty()) {
            lastGetRead_ = false;
            trouble_.note({path, why, {}});
        }
    }
    noteLossOnRewrite(path);
    return settings;
}

// The file is looked at again only when it changed since it was last found whole.
void IniSettingsStore::noteLossOnRewrite(const std::string& path) {
    if (trouble_.reported(path))
        return;
    const std::optional<FileStamp> stamp = stampOf(path);
    if (!stamp)
        return;
    if (const auto known = unchanged_.find(path);
        known != unchanged_.end() && known->second == *stamp)
        return;
    if (const std::string why = lossOnRewrite(fileText(path)); !why.empty())
        trouble_.note({path, why, keepCopy(path)});
    else
        unchanged_[path] = *stamp;
}

std::string IniSettingsStore::get(const std::string& application, const std::string& section,
                                  const std::string& key, const std::string& fallback) {
    const std::string path = filePath(application);
    if (isMissing(path)) {
        lastGetRead_ = true;
        return fallback;
    }
    const auto settings = open(path);
    settings->beginGroup(QString::fromStdString(section));
    const QVariant value = settings->value(QString::fromStdString(key));
    if (!value.isValid())
        return fallback;
    // A hand-edited value with unquoted commas reads back as a list; keep its text whole.
    const QString text = value.typeId() == QMetaType::QStringList
                             ? value.toStringList().join(QStringLiteral(", "))
                             : value.toString();
    // A NUL, raw or as Qt escapes it, would end the program's text there and cut the entry
    // short without a word; shown as a replacement character the whole entry stays in view.
    if (!text.contains(QChar(0)))
        return text.toStdString();
    if (!trouble_.reported(path))
        trouble_.note({path, kNulInValue, keepCopy(path)});
    return QString(text).replace(QChar(0), QChar::ReplacementCharacter).toStdString();
}

void IniSettingsStore::save(const std::string& application, const std::string& section,
                            const std::string& key, const std::string& value) {
    const std::string path = filePath(application);
    QDir().mkpath(QFileInfo(QString::fromStdString(path)).absolutePath());
    // Rewriting a file that cannot be read would replace everything in it with one value.
    if (const std::string why = readFailure(path); !why.empty())
        throw StoreWriteError(path,
                              "the file cannot be read (" + why + "), so it is left as it is");
    if (storeLine(path, section, key, value))
        return;
    const auto settings = open(path);
    settings->beginGroup(QString::fromStdString(section));
    // As in storeLine: a value Qt reads back as it is needs no writing.
    const QString text = QString::fromStdString(value);
    if (const QVariant held = settings->value(QString::fromStdString(key));
        held.typeId() == QMetaType::QString && held.toString() == text)
        return;
    settings->setValue(QString::fromStdString(key), text);
    settings->endGroup();
    // Under its lock Qt reads the file again only when its size or time (in milliseconds)
    // differ from those it last saw, which may belong to a newer file than the one it read
    // (see isMissing). A file one millisecond later is always read again: the values another
    // copy wrote are kept.
    if (const std::optional<FileStamp> stamp = stampOf(path))
        setModifiedMillisecond(path, stamp->modifiedNanoseconds / 1000000 + 1);
    settings->sync();
    if (settings->status() == QSettings::AccessError)
        throw StoreWriteError(path, writeFailure(path));
    written_[path] = {stampOf(path), std::nullopt};
}

// A file this store wrote last, still as it left it, is what Qt would write again: the
// line of a key already in it is replaced with the text Qt would give it, under Qt's lock
// and through a file renamed into place as Qt does. A line that holds the value already,
// in that file or in one found whole, is left alone: start-up stores every value it
// restores again. Anything else goes through Qt.
bool IniSettingsStore::storeLine(const std::string& path, const std::string& section,
                                 const std::string& key, const std::string& value) {
    if (!linesWrittenHere(section, key))
        return false;
    const std::optional<FileStamp> before = stampOf(path);
    if (!before)
        return false;
    const auto written = written_.find(path);
    const bool ours = written != written_.end() && written->second.stamp == before;
    const auto whole = unchanged_.find(path);
    if (!ours && (whole == unchanged_.end() || whole->second != *before))
        return false;
    const std::optional<IniValue> valueText = iniValueText(value);
    if (!valueText)
        return false;
    // The file as this store left it needs no reading: the stamp says it is unchanged.
    std::string read;
    const std::string& text =
        ours && written->second.text ? *written->second.text : (read = fileText(path));
    const auto line = keyLine(text, section, key);
    if (!line)
        return false;
    const std::string newLine = iniLine(key, *valueText);
    if (std::string_view(text).substr(line->first, line->second - line->first) == newLine)
        return true;
    if (!ours)
        return false;
    const QString file = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
    QLockFile lock(file + QStringLiteral(".lock"));
    if (!lock.lock() || stampOf(path) != before)
        return false;
    std::string replaced;
    replaced.reserve(text.size() - (line->second - line->first) + newLine.size());
    replaced.append(text, 0, line->first).append(newLine).append(text, line->second);
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(replaced.data(), static_cast<qint64>(replaced.size())) !=
            static_cast<qint64>(replaced.size()) ||
        !out.commit())
        throw StoreWriteError(path, writeFailure(path));
    // Qt rereads a file it holds only when its size or modification time (in milliseconds)
    // changed: a file of the same size written within the same millisecond is given a later
    // time, or this program's next read would return the old value.
    std::optional<FileStamp> after = stampOf(path);
    if (after && after->size == before->size &&
        after->modifiedNanoseconds / 1000000 <= before->modifiedNanoseconds / 1000000) {
        setModifiedMillisecond(path, before->modifiedNanoseconds / 1000000 + 1);
        after = stampOf(path);
    }
    written_[path] = {after, std::move(replaced)};
    lastGetRead_ = true;
    return true;
}

} // namespace tw
