#include "close/close_engine.h"

#include "close/hard_close_targets.h"
#include "history/history_log.h"
#include "platform/locale_text.h"
#include "platform/processes.h"

#include <algorithm>
#include <stdexcept>

namespace tw {

namespace {

// The windows of the process a soft close asks, topmost first: those it has now, dialogs
// excepted.
std::vector<WindowId> windowsToAsk(const std::vector<TopLevelWindow>& windows, int pid) {
    std::vector<WindowId> result;
    for (const TopLevelWindow& w : windows)
        if (w.pid == pid && !w.dialog)
            result.push_back(w.id);
    return result;
}

bool isListed(const std::vector<TopLevelWindow>& windows, WindowId id) {
    return std::any_of(windows.begin(), windows.end(),
                       [&](const TopLevelWindow& w) { return w.id == id; });
}

} // namespace

CloseEngine::CloseEngine(Processes& processes, Windows& windows, const LocaleText& locale,
                         HistoryLog& history)
    : processes_(processes), windows_(windows), locale_(locale), history_(history) {}

std::optional<std::string> CloseEngine::close(const std::string& entry, CloseMethod method) {
    if (method == CloseMethod::Soft)
        return softClose(entry);
    if (method == CloseMethod::Hard)
        return hardClose(entry);
    return std::nullopt;
}

std::optional<std::string> CloseEngine::softClose(const std::string& entry) {
    // Reaching the window system first makes a missing display fail the whole entry, matched
    // or not, before any row is written.
    const std::vector<TopLevelWindow> atStart = windows_.closableWindows();
    std::vector<TopLevelWindow> now = atStart;
    bool asked = false;
    const std::string wanted = locale_.upper(entry);
    const int self = processes_.selfPid();
    std::string unreachable;
    std::optional<std::string> firstFailure;
    for (const ProcessInfo& process : processes_.list()) {
        if (process.pid == self || locale_.upper(process.name) != wanted)
            continue;
        bool reached = false;
        // Each window the process had when this entry began is asked once. A window that
        // appears later is most likely the program's question ("Save changes?") and, like a
        // dialog, is left for its user to answer; a window that stays is not asked again.
        for (const WindowId window : windowsToAsk(atStart, process.pid)) {
            reached = true;
            // One request may take other windows with it: look again before the next.
            if (asked)
                now = windows_.closableWindows();
            if (!isListed(now, window))
                continue;
            std::string row = kCloseFilePrefix + entry;
            try {
                windows_.requestClose(window);
            } catch (const CloseNotDelivered& refused) {
                // The row must not read like a request that was made.
                row += kCloseNotDelivered + std::string(refused.what());
                if (!firstFailure)
                    firstFailure = row;
            }
            asked = true;
            history_.add(row);
        }
        if (!reached && unreachable.empty())
            unreachable = windows_.unreachableWindows(process.pid);
    }
    // A program the desktop keeps out of reach is not passed over in silence: the user
    // learns that this entry needs the other method.
    if (!unreachable.empty())
        throw std::runtime_error("Soft close could not ask " + entry + " to close: " + unreachable +
                                 " Hard close works for it.");
    return firstFailure;
}

std::optional<std::string> CloseEngine::hardClose(const std::string& entry) {
    const HardCloseTargets targets = findHardCloseTargets(entry, processes_, locale_);
    bool endedAny = false;
    for (const ProcessInfo& process : targets.ended)
        if (processes_.kill(process)) {
            endedAny = true;
            history_.add(kCloseFilePrefix + entry);
        }
    // Nobody is asked during a firing, so the row is where the user learns what was left.
    std::optional<std::string> note;
    if (!targets.spared.empty())
        note = kCloseFilePrefix + entry + sparedNote(targets);
    else if (!endedAny && !targets.ended.empty())
        note = kCloseFilePrefix + entry + kNothingEnded;
    if (note)
        history_.add(*note);
    return endedAny ? std::nullopt : note;
}

} // namespace tw
