#include "close/close_engine.h"

#include "history/history_log.h"
#include "platform/locale_text.h"
#include "platform/processes.h"

#include <set>
#include <stdexcept>

namespace tw {

namespace {

// At most this many characters of an executable path take part in the hard close's test.
constexpr std::size_t kPathCharacters = 255;

// The first `count` characters (code points) of a UTF-8 text.
std::string firstCharacters(const std::string& text, std::size_t count) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) != 0x80 && seen++ == count)
            return text.substr(0, i);
    }
    return text;
}

WindowId firstWindowOf(const std::vector<TopLevelWindow>& windows, int pid,
                       const std::set<WindowId>& skip) {
    for (const TopLevelWindow& w : windows)
        if (w.pid == pid && !skip.count(w.id))
            return w.id;
    return 0;
}

} // namespace

CloseEngine::CloseEngine(Processes& processes, Windows& windows, const LocaleText& locale,
                         HistoryLog& history)
    : processes_(processes), windows_(windows), locale_(locale), history_(history) {}

void CloseEngine::CloseProgram(const std::string& entry, CloseMethod method) {
    if (method == CloseMethod::Soft)
        SoftCloseProgram(entry);
    else if (method == CloseMethod::Hard)
        HardCloseProgram(entry);
}

void CloseEngine::SoftCloseProgram(const std::string& entry) {
    // Reaching the window system first makes a missing display fail the whole entry, matched
    // or not, before any row is written.
    std::vector<TopLevelWindow> windows = windows_.closableWindows();
    const std::string wanted = locale_.upper(entry);
    const int self = processes_.selfPid();
    // A window that stays after its request (it hides, or its user said no) is not asked
    // again, so the repetition ends once every window of the process has been asked once.
    std::set<WindowId> asked;
    std::string unreachable;
    for (const ProcessInfo& process : processes_.list()) {
        if (process.pid == self || locale_.upper(process.name) != wanted)
            continue;
        bool reached = false;
        for (;;) {
            const WindowId window = firstWindowOf(windows, process.pid, asked);
            if (window == 0)
                break;
            asked.insert(window);
            reached = true;
            windows_.requestClose(window);
            history_.AddHistoryEntry(kCloseFilePrefix + entry);
            windows = windows_.closableWindows();
        }
        if (!reached && unreachable.empty())
            unreachable = windows_.unreachableWindows(process.pid);
    }
    // A program the desktop keeps out of reach is not passed over in silence: the user
    // learns that this entry needs the other method.
    if (!unreachable.empty())
        throw std::runtime_error("Soft close could not ask " + entry + " to close: " + unreachable +
                                 " Hard close works for it.");
}

void CloseEngine::HardCloseProgram(const std::string& entry) {
    // An empty entry occurs in every path; it would kill every process of the session.
    if (entry.empty())
        return;
    const std::string wanted = locale_.upper(entry);
    const int self = processes_.selfPid();
    for (const ProcessInfo& process : processes_.list()) {
        if (process.pid == self || process.path.empty())
            continue;
        if (locale_.upper(firstCharacters(process.path, kPathCharacters)).find(wanted) ==
            std::string::npos)
            continue;
        if (processes_.kill(process))
            history_.AddHistoryEntry(kCloseFilePrefix + entry);
    }
}

WindowId CloseEngine::FindProcessWindow(int pid) {
    try {
        return firstWindowOf(windows_.closableWindows(), pid, {});
    } catch (const std::runtime_error&) {
        return 0;
    }
}

} // namespace tw
