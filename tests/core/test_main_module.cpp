// The program's own files are found wherever it is installed.
#include "core/main_module.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace tw;

namespace {

std::string utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace

// A folder like C:\Users\José Ñúñez\...: non-ASCII letters and a blank in every part.
TEST(FileExists, FindsFilesUnderAFolderWithNonAsciiLettersAndABlank) {
    const auto folder = std::filesystem::temp_directory_path() / u8"tidewell José Ñúñez ✓";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / u8"x");
    std::ofstream(folder / u8"HAND-M.CUR") << "cursor";
    std::ofstream(folder / u8"x" / u8"o.cjs") << "skin";

    const std::string text = utf8(folder);
    ASSERT_NE(text.find("José Ñúñez ✓"), std::string::npos);
    EXPECT_TRUE(fileExists(text + "/" + kHandCursorFile));
    EXPECT_TRUE(fileExists(text + "/" + kSkinFile));
    EXPECT_FALSE(fileExists(text + "/Ñ missing.cur"));
    EXPECT_FALSE(fileExists(text + "/x/o.cjs\xff"));
    std::filesystem::remove_all(folder);
}

TEST(ShortenedTitle, IsCutAtBlanksWithinFortyCharacters) {
    EXPECT_EQ(shortenedTitle("Tidewell"), "Tidewell");
    EXPECT_EQ(shortenedTitle("Tidewell the scheduler that starts and closes programs"),
              "Tidewell the scheduler that starts and");
    EXPECT_EQ(shortenedTitle(std::string(45, 'x')), std::string(40, 'x'));
    EXPECT_FALSE(fileExists("/nonexistent/file"));
}
