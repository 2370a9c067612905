#include "history/list_export.h"

#include "core/list_view.h"
#include "history/clipboard_helpers.h"
#include "platform/event_pump.h"

#include <vector>

namespace tw {

YieldPacer::YieldPacer(EventPump& events, std::chrono::milliseconds interval)
    : events_(events), interval_(interval), last_(std::chrono::steady_clock::now()) {}

void YieldPacer::yield() {
    if (interval_.count() > 0) {
        const auto now = std::chrono::steady_clock::now();
        if (now - last_ < interval_)
            return;
        last_ = now;
    }
    events_.processPending();
}

std::size_t characterCount(const std::string& text) {
    std::size_t count = 0;
    for (const char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

namespace {

std::string cell(const ListView& list, int row, int column) {
    return column == 1 ? list.text(row) : list.subItem(row, column - 1);
}

} // namespace

std::string listViewText(const ListView& list, YieldPacer& pacer) {
    const int columns = list.columnCount();
    std::vector<std::size_t> width(static_cast<std::size_t>(columns) + 1, 0);
    const int measured = list.count();
    for (int row = 1; row <= measured; ++row) {
        pacer.yield();
        if (row > list.count())
            break;
        for (int k = 1; k <= columns; ++k) {
            const std::size_t length = characterCount(cell(list, row, k));
            if (length > width[k])
                width[k] = length;
        }
    }

    std::string text;
    const int rows = list.count();
    for (int row = 1; row <= rows; ++row) {
        pacer.yield();
        if (row > list.count())
            break;
        if (!list.checked(row))
            continue;
        std::string line;
        bool vanished = false;
        for (int k = 1; k <= columns && !vanished; ++k) {
            pacer.yield();
            vanished = row > list.count();
            if (vanished)
                break;
            const std::string value = cell(list, row, k);
            line += value;
            const std::size_t length = characterCount(value);
            if (length < width[k])
                line.append(width[k] - length, ' ');
            line += '\t';
        }
        if (vanished)
            break;
        if (!line.empty())
            line.pop_back();
        const auto end = line.find_last_not_of(' ');
        line.erase(end == std::string::npos ? 0 : end + 1);
        text += line;
        text += "\r\n";
    }
    return text;
}

void copyCheckedRowsToClipboard(const ListView& list, YieldPacer& pacer, Clipboard& clipboard) {
    if (list.count() == 0)
        return;
    const std::string text = listViewText(list, pacer);
    clearClipboard(clipboard);
    putTextOnClipboard(clipboard, text, 0);
}

} // namespace tw
