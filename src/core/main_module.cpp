#include "core/main_module.h"

#include "platform/clock.h"
#include "platform/launcher.h"

#include <filesystem>
#include <random>

namespace tw {

bool fileExists(const std::string& path) {
    std::error_code error;
    [[maybe_unused]] const auto modified = std::filesystem::last_write_time(path, error);
    return !error;
}

std::string shortenedTitle(const std::string& title) {
    std::string shortened = title;
    while (shortened.size() > 40) {
        const auto blank = shortened.rfind(' ');
        // A title without blanks cannot be cut at a word; keep its first 40 characters.
        shortened =
            blank == std::string::npos ? shortened.substr(0, 40) : shortened.substr(0, blank);
    }
    return shortened;
}

RandomFraction seededRandom(const Clock& clock) {
    auto engine = std::make_shared<std::mt19937>(
        static_cast<std::mt19937::result_type>(clock.secondsSinceMidnight() * 1000.0));
    return [engine] { return std::uniform_real_distribution<double>(0.0, 1.0)(*engine); };
}

bool openHomePageByChance(Launcher& launcher, const RandomFraction& random) {
    const int n = static_cast<int>(random() * 100.0) + 1;
    if (n != 7)
        return false;
    launcher.openUrl(kHomePageAddress);
    return true;
}

} // namespace tw
