#include "close/hard_close_targets.h"

#include "core/utf8.h"
#include "platform/locale_text.h"

#include <algorithm>
#include <map>

namespace tw {

namespace {

// At most this many characters of an executable path take part in the test.
constexpr std::size_t kPathCharacters = 255;
// A question names at most this many different programs.
constexpr std::size_t kNamesShown = 12;
constexpr const char* kDash = " \xE2\x80\x94 "; // an em dash between blanks

// "xterm (3), bash, sleep (2)" in order of first appearance, cut after kNamesShown names.
std::string namesWithCounts(const std::vector<std::string>& names) {
    std::vector<std::string> order;
    std::map<std::string, int> counts;
    for (const std::string& name : names)
        if (counts[name]++ == 0)
            order.push_back(name);
    std::string text;
    for (std::size_t i = 0; i < order.size() && i < kNamesShown; ++i) {
        text += (i ? ", " : "") + order[i];
        if (counts[order[i]] > 1)
            text += " (" + std::to_string(counts[order[i]]) + ")";
    }
    if (order.size() > kNamesShown)
        text += " and " + std::to_string(order.size() - kNamesShown) + " more";
    return text;
}

// "Xvfb (display server), openbox (window manager)".
std::string sparedWithRoles(const HardCloseTargets& targets) {
    std::string text;
    for (const HardCloseTargets::Spared& spared : targets.spared)
        text += (text.empty() ? "" : ", ") + spared.process.name + " (" + spared.role + ")";
    return text;
}

std::string programs(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " running program" : " running programs");
}

} // namespace

HardCloseTargets findHardCloseTargets(const std::string& entry, Processes& processes,
                                      const LocaleText& locale) {
    HardCloseTargets targets;
    // An empty entry occurs in every path; it would end every process of the session.
    if (entry.empty())
        return targets;
    const std::string wanted = locale.upper(entry);
    std::vector<ProcessInfo> matching;
    for (ProcessInfo& process : processes.list())
        if (!process.path.empty() &&
            locale.upper(firstCharacters(process.path, kPathCharacters)).find(wanted) !=
                std::string::npos)
            matching.push_back(std::move(process));
    if (matching.empty())
        return targets;
    // Asked only when something matches: finding the session's holders takes a look at
    // every process's descriptors and at the display.
    std::vector<SparedProcess> spared = processes.spared();
    spared.push_back({processes.selfPid(), "Tidewell itself"});
    for (ProcessInfo& process : matching) {
        const auto it = std::find_if(spared.begin(), spared.end(),
                                     [&](const SparedProcess& s) { return s.pid == process.pid; });
        if (it == spared.end())
            targets.ended.push_back(std::move(process));
        else
            targets.spared.push_back({std::move(process), it->role});
    }
    return targets;
}

std::string hardCloseWarning(const std::string& entry, const HardCloseTargets& targets,
                             const std::string& question) {
    if (targets.ended.size() <= kFewPrograms && targets.spared.empty())
        return {};
    std::vector<std::string> names;
    for (const ProcessInfo& process : targets.ended)
        names.push_back(process.name);
    std::string text = "Hard close of \"" + entry + "\" would end " +
                       programs(targets.ended.size()) +
                       (names.empty() ? "." : ": " + namesWithCounts(names) + ".");
    if (!targets.spared.empty())
        text += "\r\n\r\nIt also matches " + programs(targets.spared.size()) +
                " that it never ends, because Tidewell or your session depends on them: " +
                sparedWithRoles(targets) + ".";
    return text + "\r\n\r\n" + question;
}

std::string sparedNote(const HardCloseTargets& targets) {
    return targets.spared.empty() ? std::string()
                                  : std::string(kDash) + "spared: " + sparedWithRoles(targets);
}

} // namespace tw
