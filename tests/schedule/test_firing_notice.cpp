// When a scheduled firing's failures are told in a desktop notification, and in what words.
#include "schedule/firing_notice.h"
#include "support/fake_notifier.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace tw {
namespace {

using test::FakeNotifier;

const std::string kNotStarted = "Run file /opt/gone \xE2\x80\x94 not started: no such file";
const std::string kNotDelivered = "Close file admin-tool \xE2\x80\x94 the close request could not "
                                  "be delivered: Access is denied.";

struct FiringNoticeTest : ::testing::Test {
    FakeNotifier notifier;
    bool inSight = false;
    FiringNotice notice{notifier, [this] { return inSight; }};
};

TEST_F(FiringNoticeTest, OneNotificationPerFiringNamingTheFirstFailureAndCountingTheRest) {
    {
        const FiringNotice::Firing firing(notice);
        notice.failed(kNotDelivered);
        notice.failed(kNotStarted);
        notice.failed("Run file /opt/also-gone \xE2\x80\x94 not started: no such file");
        EXPECT_TRUE(notifier.shown.empty()) << "nothing before the firing ends";
    }
    {
        const FiringNotice::Firing firing(notice);
        notice.failed(kNotStarted);
    }
    { const FiringNotice::Firing uneventful(notice); }
    ASSERT_EQ(notifier.shown.size(), 2u);
    EXPECT_EQ(notifier.shown[0].title, "Tidewell \xE2\x80\x94 a scheduled firing failed");
    EXPECT_EQ(notifier.shown[0].body, kNotDelivered + "\nand 2 more (see the history)");
    EXPECT_EQ(notifier.shown[1].body, kNotStarted);
}

TEST_F(FiringNoticeTest, AMissedTimeIsToldUnderItsOwnTitle) {
    const std::string note =
        "Missed Daily 09:00:00 \xE2\x80\x94 the computer was asleep or the clock moved";
    {
        const FiringNotice::Firing tick(notice);
        notice.missed(note);
    }
    ASSERT_EQ(notifier.shown.size(), 1u);
    EXPECT_EQ(notifier.shown[0].title, "Tidewell \xE2\x80\x94 a scheduled time was missed");
    EXPECT_EQ(notifier.shown[0].body, note);
}

// The Test buttons run outside any firing; a tick dropped inside a running one (it came while
// the firing waited) opens a span inside the firing's and must not end it early.
TEST_F(FiringNoticeTest, NothingOutsideAFiringAndANestedSpanBelongsToTheOuterOne) {
    notice.failed(kNotStarted);
    notice.missed("Missed Daily 09:00:00");
    EXPECT_TRUE(notifier.shown.empty());
    {
        const FiringNotice::Firing firing(notice);
        notice.failed(kNotDelivered);
        { const FiringNotice::Firing dropped(notice); }
        EXPECT_TRUE(notifier.shown.empty());
        notice.failed(kNotStarted);
    }
    ASSERT_EQ(notifier.shown.size(), 1u);
    EXPECT_EQ(notifier.shown[0].body, kNotDelivered + "\nand 1 more (see the history)");
}

TEST_F(FiringNoticeTest, NothingWhileTheWindowIsInSightAndNothingCarriedOver) {
    inSight = true;
    {
        const FiringNotice::Firing firing(notice);
        notice.failed(kNotDelivered);
    }
    EXPECT_TRUE(notifier.shown.empty());
    inSight = false;
    { const FiringNotice::Firing uneventful(notice); }
    EXPECT_TRUE(notifier.shown.empty()) << "the failure seen in the window is not told later";
}

// A failure that escapes the firing (its error box has been shown) still ends the span.
TEST_F(FiringNoticeTest, AFiringEndedByAnEscapingFailureIsStillTold) {
    notifier.accepts = false;
    EXPECT_THROW(
        {
            const FiringNotice::Firing firing(notice);
            notice.failed("Soft close could not ask gedit to close: no window list.");
            throw std::runtime_error("escaped");
        },
        std::runtime_error);
    ASSERT_EQ(notifier.shown.size(), 1u);
    { const FiringNotice::Firing next(notice); }
    EXPECT_EQ(notifier.shown.size(), 1u) << "a notification the desktop refused is not repeated";
}

} // namespace
} // namespace tw
