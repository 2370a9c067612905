#include "history/history_journal.h"

#include "core/main_module.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>

namespace tw {

namespace {

constexpr char kFileName[] = "history.log";
constexpr char kPreviousFileName[] = "history.log.1";
// The first line of a journal started by Clear History Log: the rows before it are gone.
constexpr std::string_view kClearedMark = "#cleared";

// Tabs separate the fields and a line ends a row, so both are escaped inside a field.
void appendEscaped(std::string& line, const std::string& field) {
    for (const char c : field) {
        switch (c) {
        case '\\':
            line += "\\\\";
            break;
        case '\t':
            line += "\\t";
            break;
        case '\n':
            line += "\\n";
            break;
        case '\r':
            line += "\\r";
            break;
        default:
            line += c;
        }
    }
}

// Whether a field's backslashes all start one of the escapes appendEscaped writes.
bool wellEscaped(std::string_view field) {
    for (std::size_t at = field.find('\\'); at != std::string_view::npos;
         at = field.find('\\', at + 2)) {
        if (at + 1 == field.size() ||
            std::string_view("\\tnr").find(field[at + 1]) == std::string_view::npos)
            return false;
    }
    return true;
}

// Whether a line is a whole row: three well-escaped fields, the first not empty. Checked
// without decoding, so that rows beyond the wanted ones cost no copies.
bool wholeRow(std::string_view line) {
    const auto first = line.find('\t');
    if (first == 0 || first == std::string_view::npos)
        return false;
    const auto second = line.find('\t', first + 1);
    return second != std::string_view::npos &&
           line.find('\t', second + 1) == std::string_view::npos && wellEscaped(line);
}

// Decodes a field of a whole row into `out`, reusing its storage.
void unescape(std::string_view field, std::string& out) {
    out.clear();
    for (std::size_t at = 0;;) {
        const std::size_t slash = field.find('\\', at);
        out.append(field.substr(at, slash - at));
        if (slash == std::string_view::npos)
            return;
        switch (field[slash + 1]) {
        case 't':
            out += '\t';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        default:
            out += '\\';
        }
        at = slash + 2;
    }
}

void decodeRow(std::string_view line, JournalRow& row) {
    const auto first = line.find('\t');
    const auto second = line.find('\t', first + 1);
    unescape(line.substr(0, first), row.isoTime);
    unescape(line.substr(first + 1, second - first - 1), row.displayedTime);
    unescape(line.substr(second + 1), row.action);
}

std::string readAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return {};
    std::string text;
    in.seekg(0, std::ios::end);
    const auto size = in.tellg();
    if (size <= 0)
        return {};
    text.resize(static_cast<std::size_t>(size));
    in.seekg(0);
    in.read(text.data(), size);
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

// Adds the whole rows of a file's text to `newestFirst`, newest first, until it holds
// `limit`; a last line without its end is torn. True when the file holds a clear mark: the
// rows before its newest one are gone, and so is every older file.
bool collectNewestRows(std::string_view text, std::vector<std::string_view>& newestFirst,
                       std::size_t limit) {
    // The lines are found front to back, where the search is fast, then taken from the end.
    std::vector<std::string_view> lines;
    bool cleared = false;
    for (std::size_t from = 0; from < text.size();) {
        const auto* end =
            static_cast<const char*>(std::memchr(text.data() + from, '\n', text.size() - from));
        if (end == nullptr)
            break;
        const auto to = static_cast<std::size_t>(end - text.data());
        const std::string_view line = text.substr(from, to - from);
        if (line == kClearedMark) {
            lines.clear();
            cleared = true;
        } else {
            lines.push_back(line);
        }
        from = to + 1;
    }
    for (auto line = lines.rbegin(); line != lines.rend() && newestFirst.size() < limit; ++line) {
        if (wholeRow(*line))
            newestFirst.push_back(*line);
    }
    return cleared;
}

std::runtime_error writeFailure(const std::filesystem::path& file, const std::string& why) {
    return std::runtime_error(utf8Text(file) + ": " + why);
}

} // namespace

HistoryJournal::HistoryJournal(std::filesystem::path folder, int rowLimit)
    : folder_(std::move(folder)), file_(folder_ / kFileName), rowLimit_(rowLimit) {}

std::filesystem::path HistoryJournal::previousFile() const {
    return folder_ / kPreviousFileName;
}

std::vector<JournalRow> HistoryJournal::newestRows(int limit) const {
    std::vector<JournalRow> rows;
    forNewestRows(limit, [&](JournalRow& row) { rows.push_back(std::move(row)); });
    return rows;
}

void HistoryJournal::forNewestRows(int limit, const std::function<void(JournalRow&)>& each) const {
    if (limit <= 0)
        return;
    const auto wanted = static_cast<std::size_t>(limit);
    std::vector<std::string_view> newestFirst;
    const std::string current = readAll(file_);
    std::string previous;
    if (!collectNewestRows(current, newestFirst, wanted) && newestFirst.size() < wanted) {
        previous = readAll(previousFile());
        collectNewestRows(previous, newestFirst, wanted);
    }
    JournalRow row;
    for (auto line = newestFirst.rbegin(); line != newestFirst.rend(); ++line) {
        decodeRow(*line, row);
        each(row);
    }
}

void HistoryJournal::openForAppend() {
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    if (error)
        throw writeFailure(folder_, error.message());
    // A row torn by a crash is cut off, so the next row starts a line of its own.
    const std::string text = readAll(file_);
    rowsInFile_ = std::count(text.begin(), text.end(), '\n');
    if (!text.empty() && text.back() != '\n') {
        const auto lastEnd = text.rfind('\n');
        std::filesystem::resize_file(file_, lastEnd == std::string::npos ? 0 : lastEnd + 1, error);
        if (error)
            throw writeFailure(file_, error.message());
    }
    out_.open(file_, std::ios::binary | std::ios::app);
    if (!out_)
        throw writeFailure(file_, std::strerror(errno));
}

std::string journalLine(const JournalRow& row) {
    std::string line;
    line.reserve(row.isoTime.size() + row.displayedTime.size() + row.action.size() + 3);
    appendEscaped(line, row.isoTime);
    line += '\t';
    appendEscaped(line, row.displayedTime);
    line += '\t';
    appendEscaped(line, row.action);
    line += '\n';
    return line;
}

void HistoryJournal::append(const JournalRow& row) {
    if (!out_.is_open())
        openForAppend();
    if (rowsInFile_ >= rowLimit_) {
        rotate();
        openForAppend();
    }
    const std::string line = journalLine(row);
    // One write per row: what reached the system survives a kill of the program.
    out_.write(line.data(), static_cast<std::streamsize>(line.size()));
    out_.flush();
    if (!out_) {
        out_.close();
        out_.clear();
        throw writeFailure(file_, std::strerror(errno));
    }
    ++rowsInFile_;
}

void HistoryJournal::startFresh() {
    rotate();
    openForAppend();
    out_ << kClearedMark << '\n';
    out_.flush();
    if (!out_)
        throw writeFailure(file_, std::strerror(errno));
    ++rowsInFile_;
}

void HistoryJournal::rotate() {
    out_.close();
    out_.clear();
    std::error_code error;
    if (std::filesystem::exists(file_, error)) {
        std::filesystem::rename(file_, previousFile(), error);
        if (error)
            throw writeFailure(file_, error.message());
    }
    rowsInFile_ = 0;
}

} // namespace tw
