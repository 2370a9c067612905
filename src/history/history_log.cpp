#include "history/history_log.h"

#include "core/list_view.h"
#include "core/main_module.h"
#include "platform/clock.h"
#include "platform/locale_text.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <utility>
#include <vector>

namespace tw {

namespace {
constexpr const char* kJournalFailedPrefix = "History file not written: ";
constexpr const char* kJournalFailedSuffix = " (the rows stay in this window)";
constexpr const char* kJournalWrittenAgain = "History file written again: ";
} // namespace

HistoryLog::HistoryLog(ListView& list, const Clock& clock, const LocaleText& locale)
    : list_(list), clock_(clock), locale_(locale) {}

HistoryLog::~HistoryLog() = default;

void HistoryLog::add(const std::string& action) {
    setAction(addRow(), action);
}

int HistoryLog::addRow() {
    const LocalDateTime now = clock_.now();
    pendingRow_ = appendRow(locale_.generalDate(now));
    if (journal_)
        pendingIsoTime_ = isoTime(now, clock_.utcOffsetSeconds());
    return pendingRow_;
}

void HistoryLog::setAction(int row, const std::string& action) {
    list_.setSubItem(row, 1, action);
    if (journal_)
        journal(list_.text(row), action);
}

void HistoryLog::keepIn(std::unique_ptr<HistoryJournal> journal) {
    std::vector<std::vector<std::string>> texts;
    journal->forNewestRows(kHistoryRowLimit, [&](JournalRow& row) {
        // Moved, not listed in braces, which would copy both texts of every row.
        auto& columns = texts.emplace_back(2);
        columns[0] = std::move(row.displayedTime);
        columns[1] = std::move(row.action);
    });
    // Rows the window holds already make room for the journal's, newest last.
    while (list_.count() > 0 &&
           static_cast<std::size_t>(list_.count()) + texts.size() > kHistoryRowLimit)
        list_.remove(1);
    list_.addRows(texts);
    journal_ = std::move(journal);
}

void HistoryLog::clear() {
    list_.clear();
    if (!journal_)
        return;
    try {
        journal_->startFresh();
    } catch (const std::exception& e) {
        journalFailing_ = true;
        note(kJournalFailedPrefix + std::string(e.what()) + kJournalFailedSuffix);
    }
}

void HistoryLog::journal(const std::string& displayedTime, const std::string& action) {
    std::string iso = std::move(pendingIsoTime_);
    if (iso.empty())
        iso = isoTime(clock_.now(), clock_.utcOffsetSeconds());
    try {
        journal_->append({iso, displayedTime, action});
    } catch (const std::exception& e) {
        // Said once in the window, where the user reads the history; not again for each row.
        if (!std::exchange(journalFailing_, true))
            note(kJournalFailedPrefix + std::string(e.what()) + kJournalFailedSuffix);
        return;
    }
    if (std::exchange(journalFailing_, false)) {
        note(kJournalWrittenAgain + utf8Text(journal_->file()));
    }
}

void HistoryLog::note(const std::string& action) {
    list_.setSubItem(appendRow(locale_.generalDate(clock_.now())), 1, action);
}

int HistoryLog::appendRow(const std::string& stamp) {
    while (list_.count() >= kHistoryRowLimit)
        list_.remove(1);
    return list_.addRow(stamp);
}

std::string HistoryLog::isoTime(const LocalDateTime& when, std::optional<int> utcOffsetSeconds) {
    char text[40];
    int length = std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", when.year,
                               when.month, when.day, when.hour, when.minute, when.second);
    if (utcOffsetSeconds && length > 0) {
        const int minutes = std::abs(*utcOffsetSeconds) / 60;
        std::snprintf(text + length, sizeof text - static_cast<std::size_t>(length), "%c%02d:%02d",
                      *utcOffsetSeconds < 0 ? '-' : '+', minutes / 60, minutes % 60);
    }
    return text;
}

} // namespace tw
