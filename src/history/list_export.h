#pragma once

#include <chrono>
#include <string>

namespace tw {

class Clipboard;
class EventPump;
class ListView;

// Decides when a long export lets pending window events run: at most once per interval, so
// the window stays responsive without paying for an event round on every cell. An interval
// of zero yields before every row and every cell.
class YieldPacer {
  public:
    explicit YieldPacer(EventPump& events,
                        std::chrono::milliseconds interval = std::chrono::milliseconds(15));
    void yield();

  private:
    EventPump& events_;
    std::chrono::milliseconds interval_;
    std::chrono::steady_clock::time_point last_;
};

// The length of a text in characters (UTF-8 code points).
std::size_t characterCount(const std::string& text);

// The checked rows of a report-view list as aligned text: each cell padded with blanks to the
// longest text of its column over all rows, cells joined by tabs, trailing blanks removed,
// every line ended by CR LF. The pacer runs before each row and each cell of a checked row;
// rows removed meanwhile end the pass.
std::string listViewText(const ListView& list, YieldPacer& pacer);

// Places the text of the checked rows on the clipboard; an empty list leaves it alone.
void copyCheckedRowsToClipboard(const ListView& list, YieldPacer& pacer, Clipboard& clipboard);

} // namespace tw
