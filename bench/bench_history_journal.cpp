// The history journal's cost: bytes per row on disk, time per append (each row is written
// and flushed on its own), and what a full journal of 100,000 rows adds to start-up: reading
// it and filling the real, shown history list, beside filling the list with no journal.
#include "frontend/qt/qt_list_view.h"
#include "history_journal_bench.h"

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// The history list as start-up builds it, shown on screen.
struct ShownHistory {
    tw::QtListView shown{QStringLiteral("ListView3"), true};
    ShownHistory() {
        shown.addColumn("Time");
        shown.addColumn("Action");
        shown.resize(487, 123);
        shown.show();
        QApplication::processEvents();
    }
    tw::ListView& list() { return shown; }
};

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("tidewell-bench-journal-" + std::to_string(getpid()));
    double load = 0;
    getloadavg(&load, 1);
    std::printf("load average: %.2f\n", load);
    tw::bench::reportHistoryJournal<ShownHistory>(folder, 5, [] { QApplication::processEvents(); });
    fs::remove_all(folder);
    return 0;
}
