#pragma once

#include "platform/processes.h"

#include <string>
#include <vector>

namespace tw {

class LocaleText;

// What a hard close of one entry would do to the processes running now.
struct HardCloseTargets {
    struct Spared {
        ProcessInfo process;
        std::string role; // why it is left running
    };
    std::vector<ProcessInfo> ended; // matching processes it would end, in list order
    std::vector<Spared> spared;     // matching processes it leaves running
};

// Every process whose executable path contains the entry (ignoring case, first 255
// characters), split into those a hard close ends and those it spares (Processes::spared,
// and this program in any case). An empty entry matches nothing.
HardCloseTargets findHardCloseTargets(const std::string& entry, Processes& processes,
                                      const LocaleText& locale);

// Above this many programs a hard close entry is worth a second look before it is kept.
inline constexpr std::size_t kFewPrograms = 3;

// The question to ask before an entry is kept or tested with Hard close, ending with
// `question`; "" when the entry matches no more than a few programs and none that is spared.
std::string hardCloseWarning(const std::string& entry, const HardCloseTargets& targets,
                             const std::string& question);

// The history row's text after "Close file <entry>" for the matches a hard close left
// running, e.g. " — spared: Xvfb (display server), openbox (window manager)"; "" for none.
std::string sparedNote(const HardCloseTargets& targets);

} // namespace tw
