#pragma once

#include "core/product.h"

#include <filesystem>
#include <functional>
#include <string>

namespace tw {

class Clock;
class Launcher;

// Relative to the program's folder: the optional hand cursor and skin file.
inline constexpr const char* kHandCursorFile = "HAND-M.CUR";
inline constexpr const char* kSkinFile = "x/o.cjs";

// A UTF-8 path (as all our text is) for std::filesystem, whatever the system's code page.
std::filesystem::path fileSystemPath(const std::string& utf8);
// The path back as UTF-8 text, for messages and rows.
std::string utf8Text(const std::filesystem::path& path);

// Whether the file's last-modified time can be read; never fails itself.
bool fileExists(const std::string& path);

// The title cut at its last blanks until it holds at most 40 characters.
std::string shortenedTitle(const std::string& title);

// A random fraction in [0, 1).
using RandomFraction = std::function<double()>;
// The start-up draw: a generator seeded with the seconds since midnight.
RandomFraction seededRandom(const Clock& clock);

// Draws n from 1 to 100 and opens the home page when n is 7; returns whether it did.
// The launcher returns at once; a failure to open is thrown to the caller.
bool openHomePageByChance(Launcher& launcher, const RandomFraction& random);

} // namespace tw
