#include "history/history_log.h"

#include "core/list_view.h"
#include "platform/clock.h"
#include "platform/locale_text.h"

namespace tw {

HistoryLog::HistoryLog(ListView& list, const Clock& clock, const LocaleText& locale)
    : list_(list), clock_(clock), locale_(locale) {}

void HistoryLog::add(const std::string& action) {
    setAction(addRow(), action);
}

int HistoryLog::addRow() {
    const std::string stamp = locale_.generalDate(clock_.now());
    while (list_.count() >= kHistoryRowLimit)
        list_.remove(1);
    return list_.addRow(stamp);
}

void HistoryLog::setAction(int row, const std::string& action) {
    list_.setSubItem(row, 1, action);
}

} // namespace tw
