#include "history/history_journal.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
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

// The whole rows of a file's text, newest last; a last line without its end is torn. True
// when the file starts after a clear, so that no older file counts.
bool collectRows(const std::string& text, std::deque<JournalRow>& rows, std::size_t limit) {
    std::size_t start = 0;
    bool cleared = false;
    JournalRow row;
    while (start < text.size()) {
        const auto end = text.find('\n', start);
        if (end == std::string::npos)
            break;
        const std::string_view line = std::string_view(text).substr(start, end - start);
        if (line == kClearedMark) {
            rows.clear();
            cleared = true;
        } else if (parseLine(line, row)) {
            rows.push_back(std::move(row));
            if (rows.size() > limit)
                rows.pop_front();
        }
        start = end + 1;
    }
    return cleared;
}

std::runtime_error writeFailure(const std::filesystem::path& file, const std::string& why) {
    const std::u8string name = file.u8string();
    return std::runtime_error(std::string(name.begin(), name.end()) + ": " + why);
}

} // namespace

std::filesystem::path pathFromUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

HistoryJournal::HistoryJournal(std::filesystem::path folder, int rowLimit)
    : folder_(std::move(folder)), file_(folder_ / kFileName), rowLimit_(rowLimit) {}

std::filesystem::path HistoryJournal::previousFile() const {
    return folder_ / kPreviousFileName;
}

std::vector<JournalRow> HistoryJournal::newestRows(int limit) const {
    if (limit <= 0)
        return {};
    const auto wanted = static_cast<std::size_t>(limit);
    std::deque<JournalRow> rows;
    const bool cleared = collectRows(readAll(file_), rows, wanted);
    if (!cleared && rows.size() < wanted) {
        std::deque<JournalRow> older;
        collectRows(readAll(previousFile()), older, wanted - rows.size());
        rows.insert(rows.begin(), std::make_move_iterator(older.begin()),
                    std::make_move_iterator(older.end()));
    }
    return {std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end())};
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

void HistoryJournal::append(const JournalRow& row) {
    if (!out_.is_open())
        openForAppend();
    if (rowsInFile_ >= rowLimit_) {
        rotate();
        openForAppend();
    }
    std::string line;
    line.reserve(row.isoTime.size() + row.displayedTime.size() + row.action.size() + 3);
    appendEscaped(line, row.isoTime);
    line += '\t';
    appendEscaped(line, row.displayedTime);
    line += '\t';
    appendEscaped(line, row.action);
    line += '\n';
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
