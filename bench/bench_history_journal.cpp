// The history journal's cost: bytes per row on disk, time per append (each row is written
// and flushed on its own), and what a full journal of 100,000 rows adds to start-up: reading
// it and filling the real, shown history list, beside filling the list with no journal.
#include "bench_support.h"
#include "frontend/qt/qt_list_view.h"
#include "history/history_journal.h"
#include "history/history_log.h"
#include "platform/linux/system_clock.h"
#include "platform/qt/qt_locale_text.h"

#include <QApplication>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <unistd.h>

namespace {

// The history list as start-up builds it, shown on screen.
struct ShownHistory {
    tw::QtListView list{QStringLiteral("ListView3"), true};
    ShownHistory() {
        list.addColumn("Time");
        list.addColumn("Action");
        list.resize(487, 123);
        list.show();
        QApplication::processEvents();
    }
};

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    namespace fs = std::filesystem;
    using tw::bench::millisSince;
    using tw::bench::Stopwatch;
    const fs::path folder =
        fs::temp_directory_path() / ("tidewell-bench-journal-" + std::to_string(getpid()));
    const int rows = tw::kHistoryRowLimit;
    tw::SystemClock clock;
    tw::QtLocaleText locale{QLocale(QLocale::English, QLocale::UnitedStates)};
    const std::string stamp = locale.generalDate(clock.now());
    const std::string iso = tw::HistoryLog::isoTime(clock.now(), clock.utcOffsetSeconds());

    {
        tw::HistoryJournal journal(folder, rows);
        const auto start = Stopwatch::now();
        for (int i = 0; i < rows; ++i)
            journal.append({iso, stamp, i % 2 ? "Run file /usr/bin/xedit" : "Close file xedit"});
        const double ms = millisSince(start);
        std::printf("journal: %d rows appended in %.1f ms, %.2f us per row, %.1f bytes per row\n",
                    rows, ms, ms * 1000 / rows,
                    static_cast<double>(fs::file_size(journal.file())) / rows);
    }
    std::vector<double> withJournal, without, reading;
    for (int run = 0; run < 5; ++run) {
        {
            const auto start = Stopwatch::now();
            const auto rowsRead = tw::HistoryJournal(folder, rows).newestRows(rows);
            reading.push_back(millisSince(start));
        }
        {
            ShownHistory shown;
            tw::HistoryLog history(shown.list, clock, locale);
            const auto start = Stopwatch::now();
            history.keepIn(std::make_unique<tw::HistoryJournal>(folder, rows));
            QApplication::processEvents();
            withJournal.push_back(millisSince(start));
        }
        {
            ShownHistory shown;
            const auto start = Stopwatch::now();
            QApplication::processEvents();
            without.push_back(millisSince(start));
        }
    }
    std::printf("start-up with a full journal (%d rows read and shown): median %.1f ms, of which "
                "reading the file %.1f ms; the empty list alone %.1f ms (5 runs each)\n",
                rows, tw::bench::median(withJournal), tw::bench::median(reading),
                tw::bench::median(without));
    fs::remove_all(folder);
    return 0;
}
