#include "schedule/firing_notice.h"

#include "platform/notifier.h"

#include <utility>

namespace tw {

FiringNotice::FiringNotice(Notifier& notifier, std::function<bool()> windowInSight)
    : notifier_(notifier), windowInSight_(std::move(windowInSight)) {}

FiringNotice::Firing::Firing(FiringNotice& notice) : notice_(notice) {
    ++notice_.depth_;
}

FiringNotice::Firing::~Firing() {
    if (--notice_.depth_ == 0)
        notice_.finish();
}

void FiringNotice::failed(const std::string& row) {
    if (depth_ > 0)
        failures_.push_back(row);
}

void FiringNotice::missed(const std::string& note) {
    if (depth_ == 0)
        return;
    failures_.push_back(note);
    missed_ = true;
}

void FiringNotice::finish() {
    std::vector<std::string> failures = std::exchange(failures_, {});
    const bool missed = std::exchange(missed_, false);
    if (failures.empty())
        return;
    // Runs as a firing's span closes, possibly while a failure unwinds: nothing may escape.
    try {
        if (windowInSight_ && windowInSight_())
            return;
        std::string body = failures.front();
        if (failures.size() > 1)
            body += kMoreFailuresPrefix + std::to_string(failures.size() - 1) + kMoreFailuresSuffix;
        // The history keeps every row whether or not the desktop shows the notification.
        notifier_.notify(missed ? kTimeMissedTitle : kFiringFailedTitle, body);
    } catch (...) {
    }
}

} // namespace tw
