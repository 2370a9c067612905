#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// One history row as the journal keeps it.
struct JournalRow {
    std::string isoTime;       // 2026-12-08T09:00:00+01:00, for scripts and other machines
    std::string displayedTime; // as the window showed it
    std::string action;
    friend bool operator==(const JournalRow&, const JournalRow&) = default;
};

// The row as one line of the journal: the three fields escaped, tab-separated, with its end.
std::string journalLine(const JournalRow& row);

// The history on disk, so that it outlives the program: one UTF-8 line per row in
// `history.log` of its folder, appended and flushed row by row, so that a crash or a kill
// loses at most the row being written. When the file holds `rowLimit` rows it becomes the one
// previous file (`history.log.1`) and a fresh file starts.
class HistoryJournal {
  public:
    HistoryJournal(std::filesystem::path folder, int rowLimit);

    // The newest rows of the previous and the current file, at most `limit`, oldest first.
    // Lines that are not whole rows (a torn last line, a foreign edit) are passed over.
    std::vector<JournalRow> newestRows(int limit) const;
    // The same rows handed one at a time, oldest first, in one row whose texts the caller may
    // take: a full history reaches the window without a copy of all of it in between.
    void forNewestRows(int limit, const std::function<void(JournalRow&)>& each) const;
    // Appends one row; throws std::runtime_error saying why when it cannot be written.
    void append(const JournalRow& row);
    // Clear History Log: the current file becomes the previous one (replacing it) and a fresh
    // one starts, from which alone the rows are read again.
    void startFresh();

    const std::filesystem::path& file() const { return file_; }
    std::filesystem::path previousFile() const;

  private:
    void openForAppend();
    // The current file becomes the previous one; the next row starts a new file.
    void rotate();

    std::filesystem::path folder_;
    std::filesystem::path file_;
    int rowLimit_;
    std::ofstream out_;
    std::int64_t rowsInFile_ = -1; // counted when the file is first opened
};

} // namespace tw
