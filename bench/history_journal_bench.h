#pragma once

// The history journal's cost, the same on both editions: a full journal is written row by
// row, then start-up's part of it (reading the journal into the shown history list) is timed
// beside showing the empty list. Each edition brings its own shown list and event loop.
#include "history/history_journal.h"
#include "history/history_log.h"
#include "support/fake_clock.h"
#include "support/fake_locale_text.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

namespace tw::bench {

inline double millisBetween(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

inline double middle(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// `Shown` builds and shows a history list, named ListView3 as the window's, with its two
// columns, and offers it as list(); `pump` handles the events waiting, as the window's loop
// does before it is idle.
template <class Shown, class Pump>
void reportHistoryJournal(const std::filesystem::path& folder, int runs, Pump pump) {
    using Clock = std::chrono::steady_clock;
    const int rows = kHistoryRowLimit;
    const std::string stamp = "12/9/2026 1:15:25 AM";
    const std::string iso = HistoryLog::isoTime({2026, 12, 9, 1, 15, 25}, 3600);
    {
        HistoryJournal journal(folder, rows);
        const auto start = Clock::now();
        for (int i = 0; i < rows; ++i)
            journal.append({iso, stamp, i % 2 ? "Run file /usr/bin/xedit" : "Close file xedit"});
        const double ms = millisBetween(start);
        std::printf("journal: %d rows appended in %.1f ms, %.2f us per row, %.1f bytes per row\n",
                    rows, ms, ms * 1000 / rows,
                    static_cast<double>(std::filesystem::file_size(journal.file())) / rows);
    }
    test::FakeClock clock;
    test::FakeLocaleText locale;
    std::vector<double> withJournal, without, reading;
    for (int run = 0; run < runs; ++run) {
        {
            const auto start = Clock::now();
            const auto rowsRead = HistoryJournal(folder, rows).newestRows(rows);
            reading.push_back(millisBetween(start));
        }
        {
            Shown shown;
            HistoryLog history(shown.list(), clock, locale);
            const auto start = Clock::now();
            history.keepIn(std::make_unique<HistoryJournal>(folder, rows));
            pump();
            withJournal.push_back(millisBetween(start));
        }
        {
            Shown shown;
            const auto start = Clock::now();
            pump();
            without.push_back(millisBetween(start));
        }
    }
    std::printf("start-up with a full journal (%d rows read and shown): median %.1f ms, of which "
                "reading the file %.1f ms; the empty list alone %.1f ms (%d runs each)\n",
                rows, middle(withJournal), middle(reading), middle(without), runs);
}

} // namespace tw::bench
