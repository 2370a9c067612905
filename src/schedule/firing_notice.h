#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tw {

class Notifier;

// The titles of the notification about a scheduled firing (the dash is an em dash).
inline constexpr const char* kFiringFailedTitle = "Tidewell \xE2\x80\x94 a scheduled firing failed";
inline constexpr const char* kTimeMissedTitle = "Tidewell \xE2\x80\x94 a scheduled time was missed";
// Follows the first failure when there were more, before their number.
inline constexpr const char* kMoreFailuresPrefix = "\nand ";
inline constexpr const char* kMoreFailuresSuffix = " more (see the history)";

// Tells the user about a scheduled firing that could not do all it was asked while nobody
// looks at the window. The failures of one firing are gathered while it runs; when it ends,
// one notification names the first (its history row: the entry and the reason) and counts
// the others. While the window is in sight its history rows say it all, and nothing is shown.
class FiringNotice {
  public:
    // windowInSight tells whether the window is on the screen (not minimised, not in the tray).
    FiringNotice(Notifier& notifier, std::function<bool()> windowInSight);

    // Marks the span of one scheduled firing: what fails between construction and
    // destruction belongs to it. A span opened inside another adds to the outer one.
    class Firing {
      public:
        explicit Firing(FiringNotice& notice);
        ~Firing();
        Firing(const Firing&) = delete;
        Firing& operator=(const Firing&) = delete;

      private:
        FiringNotice& notice_;
    };

    // Something the firing was asked to do failed; row is the history row that says so.
    // Outside a firing (the Test buttons) this does nothing.
    void failed(const std::string& row);
    // A Daily or Weekly occurrence came too late to fire; note is its history row.
    void missed(const std::string& note);

  private:
    void finish();

    Notifier& notifier_;
    std::function<bool()> windowInSight_;
    int depth_ = 0;
    std::vector<std::string> failures_;
    bool missed_ = false;
};

} // namespace tw
