#include "core/main_module.h"

#include "platform/clock.h"
#include "platform/launcher.h"

#include <filesystem>
#include <random>

namespace tw {

std::filesystem::path fileSystemPath(const std::string& utf8) {
    // Our text is UTF-8. A narrow path is read in the C library's code page under mingw, so
    // a program under C:\Users\José\... would look elsewhere; char8_t text is UTF-8 on
    // every system (and passed on unchanged on Linux, whatever its bytes).
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8Text(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

bool fileExists(const std::string& path) {
    std::error_code error;
    try {
        [[maybe_unused]] const auto modified =
            std::filesystem::last_write_time(fileSystemPath(path), error);
    } catch (const std::exception&) {
        return false; // text that is no path on this system (not UTF-8 where paths are UTF-16)
    }
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
