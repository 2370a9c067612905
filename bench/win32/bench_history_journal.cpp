// The history journal's cost on the Windows edition, run under Wine by hand: what a full
// journal of 100,000 rows adds to start-up, read into the history list of the real window.
// Usage: bench_history_journal.exe [runs] (default 3)
#include "frontend/win32/win32_form.h"
#include "history_journal_bench.h"

#include <windows.h>

#include <cstdlib>
#include <filesystem>

namespace {

// The whole window, shown, as start-up shows it; its history list is the one timed.
struct ShownHistory {
    tw::Win32Form form{GetModuleHandleW(nullptr)};
    ShownHistory() {
        tw::ListView& history = form.controls().history;
        history.addColumn("Time");
        history.addColumn("Action");
        history.setColumnWidth(1, 2200);
        history.setColumnWidth(2, 4200);
        form.window().showFirstTime();
        pump();
    }
    tw::ListView& list() { return form.controls().history; }
    // Until nothing waits, the painting of the shown rows last.
    static void pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
};

} // namespace

int main(int argc, char* argv[]) {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                       ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES |
                                           ICC_DATE_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() /
                            ("tidewell-bench-journal-" + std::to_string(GetCurrentProcessId()));
    tw::bench::reportHistoryJournal<ShownHistory>(folder, argc > 1 ? std::atoi(argv[1]) : 3,
                                                  ShownHistory::pump);
    fs::remove_all(folder);
    return 0;
}
