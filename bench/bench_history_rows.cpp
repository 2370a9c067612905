// The memory a history row costs: 100,000 rows written by the history log into the real list
// widget, shown on screen, under United States regional settings. Reports the heap and the
// resident memory that the rows added, per row, and the rows the log keeps.
#include "frontend/qt/qt_list_view.h"
#include "history/history_log.h"
#include "platform/linux/system_clock.h"
#include "platform/qt/qt_locale_text.h"

#include <QApplication>
#include <cstdio>
#include <fstream>
#include <malloc.h>
#include <string>
#include <unistd.h>

namespace {

long residentBytes() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

long heapBytes() {
    return static_cast<long>(mallinfo2().uordblks);
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = 100000;
    tw::QtListView list(QStringLiteral("ListView3"), true);
    list.addColumn("Time");
    list.addColumn("Action");
    list.resize(487, 123);
    list.show();
    tw::SystemClock clock;
    tw::QtLocaleText locale{QLocale(QLocale::English, QLocale::UnitedStates)};
    tw::HistoryLog history(list, clock, locale);
    QApplication::processEvents();

    const long heap0 = heapBytes();
    const long rss0 = residentBytes();
    for (int i = 0; i < rows; ++i)
        history.add(i % 2 ? "Run file /usr/bin/xedit" : "Close file xedit");
    QApplication::processEvents();
    const long heap = heapBytes() - heap0;
    const long rss = residentBytes() - rss0;
    std::printf("history rows written %d, kept %d\n", rows, list.count());
    std::printf("heap per row %.0f bytes, resident per row %.0f bytes\n",
                static_cast<double>(heap) / list.count(), static_cast<double>(rss) / list.count());
    // Writing past the limit: the oldest rows go, the cost stays.
    for (int i = 0; i < rows / 10; ++i)
        history.add("Run file /usr/bin/xedit");
    QApplication::processEvents();
    std::printf("after %d more rows: kept %d, first row \"%s\", heap per kept row %.0f bytes\n",
                rows / 10, list.count(), list.subItem(1, 1).c_str(),
                static_cast<double>(heapBytes() - heap0) / list.count());
    return 0;
}
