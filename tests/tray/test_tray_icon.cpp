// The tray icon control over a fake notification area and a clock that only its waits move.
#include "tray/tray_icon.h"
#include "tray/tray_icon_rig.h"

#include <gtest/gtest.h>

namespace tw::test {
namespace {

using Calls = std::vector<std::string>;
using Rig = ListeningTrayRig;

PicturePtr picture(PictureType type, const char* name) {
    return std::make_shared<FakePicture>(type, name);
}

TEST(TrayIcon, InTrayShowsOnceAndRemovesOnlyWhatWasShown) {
    Rig r;
    r.tray.setInTray(false);
    EXPECT_TRUE(r.host.calls.empty());
    r.tray.setInTray(true);
    r.tray.setInTray(true);
    EXPECT_EQ(r.host.calls, Calls{"add"});
    EXPECT_TRUE(r.tray.inTray());
    r.tray.setInTray(false);
    r.tray.setInTray(false);
    EXPECT_EQ(r.host.calls, (Calls{"add", "remove"}));
    EXPECT_FALSE(r.tray.inTray());
}

TEST(TrayIcon, DestroyingTheControlTakesItsIconAway) {
    FakeClock clock;
    FakeEventPump pump(clock);
    FakeTrayHost host;
    {
        TrayIcon tray(host, clock, pump);
        tray.setInTray(true);
    }
    EXPECT_EQ(host.calls, (Calls{"add", "remove"}));
    EXPECT_FALSE(host.hasReceiver());
}

TEST(TrayIcon, StartingPropertiesAreAssignedInOrder) {
    FakeClock clock;
    FakeEventPump pump(clock);
    FakeTrayHost host;
    TrayIcon fresh(host, clock, pump);
    EXPECT_EQ(fresh.trayTip(), "Telnet Server");
    EXPECT_FALSE(fresh.inTray());
    EXPECT_TRUE(host.calls.empty());

    FakeTrayHost host2;
    TrayIcon stored(host2, clock, pump, {true, picture(PictureType::Icon, "Q"), "Tip"});
    // Shown at once, before its icon and tip were read.
    EXPECT_EQ(host2.calls, (Calls{"add", "setIcon", "setTip"}));
    EXPECT_EQ(host2.icon, "Q");
    EXPECT_EQ(host2.tip, "Tip");
}

TEST(TrayIcon, OnlyIconsAreTaken) {
    Rig r;
    r.tray.setTrayIcon(picture(PictureType::Icon, "first"));
    r.tray.setInTray(true);
    EXPECT_EQ(r.host.icon, "first");
    r.tray.setTrayIcon(picture(PictureType::None, "empty"));
    r.tray.setTrayIcon(nullptr);
    EXPECT_EQ(r.host.calls, Calls{"add"});
    EXPECT_EQ(r.tray.trayIcon()->type(), PictureType::Icon);
    r.tray.setTrayIcon(picture(PictureType::Icon, "second"));
    EXPECT_EQ(r.host.calls, (Calls{"add", "setIcon"}));
    EXPECT_EQ(r.host.icon, "second");
}

TEST(TrayIcon, TipSetWhileHiddenIsUsedWhenShown) {
    Rig r;
    r.tray.setTrayTip("Tidewell");
    EXPECT_TRUE(r.host.calls.empty());
    r.tray.setInTray(true);
    EXPECT_EQ(r.host.tip, "Tidewell");
    r.tray.setTrayTip("Other");
    EXPECT_EQ(r.host.calls, (Calls{"add", "setTip"}));
    EXPECT_EQ(r.host.tip, "Other");
}

TEST(TrayIcon, EmptyTipAddsTheIconWithoutTooltip) {
    Rig r;
    r.tray.setTrayTip("");
    r.tray.setInTray(true);
    EXPECT_EQ(r.host.calls, Calls{"add"});
    EXPECT_EQ(r.host.tip, std::string());
}

TEST(TrayIcon, LongTipShowsItsFirst127Characters) {
    Rig r;
    std::string tip;
    for (int i = 0; i < 130; ++i)
        tip += "\xc3\xa9"; // é: two bytes, one character
    r.tray.setTrayTip(tip);
    r.tray.setInTray(true);
    EXPECT_EQ(r.host.tip, tip.substr(0, 254));
    EXPECT_EQ(r.tray.trayTip(), tip);
    EXPECT_EQ(firstCharacters("abc", 127), "abc");
    EXPECT_EQ(firstCharacters("a\xe2\x82\xac"
                              "b",
                              2),
              std::string("a\xe2\x82\xac"));
}

TEST(TrayIcon, OnceOnlyBalloonShowsTheFirstTimeOnly) {
    Rig r;
    r.tray.setInTray(true);
    r.tray.showBalloon("text", "title", 0, true);
    r.tray.showBalloon("text", "title", 0, true);
    EXPECT_EQ(r.host.balloons.size(), std::size_t(1));
    EXPECT_EQ(r.tray.onceCount(), 1);
    // Balloons without the flag neither count nor are stopped by the count.
    r.tray.showBalloon("again", "title", 0, false);
    r.tray.showBalloon("again", "title", 0, false);
    EXPECT_EQ(r.host.balloons.size(), std::size_t(3));
    EXPECT_EQ(r.tray.onceCount(), 1);
}

TEST(TrayIcon, OnceCountStartsWithTheFirstFlaggedBalloon) {
    Rig r;
    r.tray.showBalloon("plain", "t", 0, false);
    r.tray.showBalloon("once", "t", 0, true);
    EXPECT_EQ(r.host.balloons.size(), std::size_t(2));
    EXPECT_EQ(r.host.balloons[1].text, "once");
}

TEST(TrayIcon, BalloonWithoutTimeoutReturnsAtOnce) {
    Rig r;
    r.tray.showBalloon("text", "title", 0, false);
    EXPECT_EQ(r.pump.waits, 0);
    EXPECT_EQ(r.host.balloons[0].timeoutMs, 0);
    EXPECT_TRUE(r.tray.balloonUp());
    EXPECT_EQ(r.host.calls, Calls{"showBalloon"});
}

TEST(TrayIcon, BalloonStillShowingAfterTheTimeoutIsTakenAway) {
    Rig r;
    r.tray.setInTray(true);
    const auto start = r.clock.millis();
    r.tray.showBalloon("text", "title", 5, true);
    EXPECT_EQ(r.host.balloons[0].timeoutMs, 5000);
    EXPECT_EQ(r.clock.millis() - start, std::int64_t(5000));
    EXPECT_TRUE(r.pump.waits >= 1);
    EXPECT_EQ(r.host.calls, (Calls{"add", "showBalloon", "removeBalloon"}));
    // Up until the platform says it is gone.
    EXPECT_TRUE(r.tray.balloonUp());
    r.host.notify(TrayNotification::BalloonHidden);
    EXPECT_FALSE(r.tray.balloonUp());
}

TEST(TrayIcon, BalloonWaitEndsWhenTheBalloonIsClickedOrGone) {
    for (TrayNotification gone : {TrayNotification::BalloonClicked, TrayNotification::BalloonHidden,
                                  TrayNotification::BalloonTimedOut}) {
        Rig r;
        r.tray.setInTray(true);
        const auto start = r.clock.millis();
        r.pump.eventAtMs = start + 1500;
        r.pump.onPending = [&] {
            if (r.clock.millis() - start >= 1500)
                r.host.notify(gone);
        };
        r.tray.showBalloon("text", "title", 5, false);
        // One sleep, ended by the news, not a poll.
        EXPECT_EQ(r.clock.millis() - start, std::int64_t(1500));
        EXPECT_EQ(r.pump.waits, 1);
        EXPECT_EQ(r.host.calls, (Calls{"add", "showBalloon"}));
        EXPECT_FALSE(r.tray.balloonUp());
    }
}

TEST(TrayIcon, EventsAndTheIconKeepWorkingDuringTheWait) {
    Rig r;
    r.tray.setInTray(true);
    r.pump.onPending = [&] {
        r.pump.onPending = nullptr;
        r.host.notify(TrayNotification::RightDown);
        r.host.notify(TrayNotification::RightUp);
    };
    r.tray.showBalloon("text", "title", 5, false);
    EXPECT_EQ(r.heard, (std::vector<std::string>{"Down 2 0", "Up 2 0"}));
    EXPECT_EQ(r.host.calls.back(), "removeBalloon");
}

TEST(TrayIcon, RemovingTheIconEndsTheWait) {
    Rig r;
    r.tray.setInTray(true);
    r.pump.onPending = [&] { r.tray.setInTray(false); };
    r.tray.showBalloon("text", "title", 5, false);
    EXPECT_EQ(r.pump.waits, 1);
    EXPECT_EQ(r.host.calls, (Calls{"add", "showBalloon", "remove"}));
}

TEST(TrayIcon, BalloonWaitCrossingMidnightStillLastsItsTime) {
    Rig r;
    r.clock.set({2026, 12, 7, 23, 59, 58});
    const auto start = r.clock.millis();
    r.tray.showBalloon("text", "title", 5, false);
    EXPECT_EQ(r.clock.millis() - start, std::int64_t(5000));
}

TEST(TrayIcon, BalloonTextsAreCutToWhatTheTrayTakes) {
    Rig r;
    r.tray.showBalloon(std::string(300, 'x'), std::string(70, 't'), 0, false);
    EXPECT_EQ(r.host.balloons[0].text.size(), std::size_t(255));
    EXPECT_EQ(r.host.balloons[0].title.size(), std::size_t(63));
}

TEST(TrayIcon, EveryMouseNotificationRaisesItsEvent) {
    Rig r;
    for (TrayNotification n :
         {TrayNotification::MouseMove, TrayNotification::LeftDown, TrayNotification::LeftUp,
          TrayNotification::LeftDblClick, TrayNotification::RightDown, TrayNotification::RightUp,
          TrayNotification::RightDblClick, TrayNotification::BalloonShown})
        r.host.notify(n);
    EXPECT_EQ(r.heard, (std::vector<std::string>{"Move 0", "Down 1 0", "Up 1 0", "DblClick 1 0",
                                                 "Down 2 0", "Up 2 0", "DblClick 2 0"}));
}

TEST(TrayIcon, EventsWithoutHandlersAreDropped) {
    FakeClock clock;
    FakeEventPump pump(clock);
    FakeTrayHost host;
    TrayIcon tray(host, clock, pump);
    host.notify(TrayNotification::LeftUp);
    host.notify(TrayNotification::MouseMove);
    EXPECT_FALSE(tray.balloonUp());
}

} // namespace
} // namespace tw::test
