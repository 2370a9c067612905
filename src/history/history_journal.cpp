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

bool unescape(std::string_view field, std::string& out) {
    if (field.find('\\') == std::string_view::npos) {
        out.assign(field);
        return true;
    }
    out.clear();
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            out += field[i];
            continue;
        }
        if (++i == field.size())
            return false;
        switch (field[i]) {
        case '\\':
            out += '\\';
            break;
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
            return false;
        }
    }
    return true;
}

bool parseLine(std::string_view line, JournalRow& row) {
    const auto first = line.find('\t');
    if (first == std::string_view::npos)
        return false;
    const auto second = line.find('\t', first + 1);
    if (second == std::string_view::npos || line.find('\t', second + 1) != std::string_view::npos)
        return false;
    return unescape(line.substr(0, first), row.isoTime) &&
           unescape(line.substr(first + 1, second - first - 1), row.displayedTime) &&
           unescape(line.substr(second + 1), row.action) && !row.isoTime.empty();
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

// Up to `limit` whole rows of a file's text, newest first, read from its end; a last line
// without its end is torn. True when the file starts after a clear, so that no older file
// counts.
bool collectNewestRows(const std::string& text, std::vector<JournalRow>& newestFirst,
                       std::size_t limit) {
    std::size_t end = text.rfind('\n');
    JournalRow row;
    while (end != std::string::npos && newestFirst.size() < limit) {
        const std::size_t start = end == 0 ? 0 : text.rfind('\n', end - 1);
        const std::size_t from = start == std::string::npos || end == 0 ? 0 : start + 1;
        const std::string_view line = std::string_view(text).substr(from, end - from);
        if (line == kClearedMark)
            return true;
        if (parseLine(line, row))
            newestFirst.push_back(std::move(row));
        if (from == 0)
            break;
        end = from - 1;
    }
    return text.compare(0, kClearedMark.size() + 1, std::string(kClearedMark) + "\n") == 0;
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
    if (limit <= 0)
        return rows;
    const auto wanted = static_cast<std::size_t>(limit);
    const bool cleared = collectNewestRows(readAll(file_), rows, wanted);
    if (!cleared && rows.size() < wanted)
        collectNewestRows(readAll(previousFile()), rows, wanted);
    std::reverse(rows.begin(), rows.end());
    return rows;
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
