#include "platform/qt/blue_q_icon.h"
#include "platform/qt/qt_picture.h"
#include "platform/qt/qt_tray_host.h"
#include "tray/tray_icon.h"
#include "tray/tray_icon_rig.h"

#include <QtTest>

namespace tw {

using test::FakePicture;
using Calls = std::vector<std::string>;

class TestSysTray : public QObject {
    Q_OBJECT

    struct Rig : test::SysTrayRig {
        std::vector<std::string> heard;

        Rig() {
            tray.setEvents({
                [this](std::int32_t id) { heard.push_back("Move " + std::to_string(id)); },
                [this](std::int16_t b, std::int32_t id) { hear("Down", b, id); },
                [this](std::int16_t b, std::int32_t id) { hear("Up", b, id); },
                [this](std::int16_t b, std::int32_t id) { hear("DblClick", b, id); },
            });
        }
        void hear(const char* what, std::int16_t button, std::int32_t id) {
            heard.push_back(std::string(what) + " " + std::to_string(button) + " " +
                            std::to_string(id));
        }
    };

    static PicturePtr picture(PictureType type, const char* name) {
        return std::make_shared<FakePicture>(type, name);
    }

  private slots:
    void inTrayShowsOnceAndRemovesOnlyWhatWasShown() {
        Rig r;
        r.tray.setInTray(false);
        QVERIFY(r.host.calls.empty());
        r.tray.setInTray(true);
        r.tray.setInTray(true);
        QCOMPARE(r.host.calls, Calls{"add"});
        QVERIFY(r.tray.inTray());
        r.tray.setInTray(false);
        r.tray.setInTray(false);
        QCOMPARE(r.host.calls, (Calls{"add", "remove"}));
        QVERIFY(!r.tray.inTray());
    }

    void destroyingTheControlTakesItsIconAway() {
        test::FakeClock clock;
        test::FakeEventPump pump(clock);
        test::FakeTrayHost host;
        {
            TrayIcon tray(host, clock, pump);
            tray.setInTray(true);
        }
        QCOMPARE(host.calls, (Calls{"add", "remove"}));
        QVERIFY(!host.hasReceiver());
    }

    void startingPropertiesAreAssignedInOrder() {
        test::FakeClock clock;
        test::FakeEventPump pump(clock);
        test::FakeTrayHost host;
        TrayIcon fresh(host, clock, pump);
        QCOMPARE(fresh.trayTip(), std::string("Telnet Server"));
        QVERIFY(!fresh.inTray());
        QVERIFY(host.calls.empty());

        test::FakeTrayHost host2;
        TrayIcon stored(host2, clock, pump, {true, picture(PictureType::Icon, "Q"), "Tip"});
        // Shown at once, before its icon and tip were read.
        QCOMPARE(host2.calls, (Calls{"add", "setIcon", "setTip"}));
        QCOMPARE(host2.icon, std::string("Q"));
        QCOMPARE(host2.tip, std::string("Tip"));
    }

    void onlyIconsAreTaken() {
        Rig r;
        r.tray.setTrayIcon(picture(PictureType::Icon, "first"));
        r.tray.setInTray(true);
        QCOMPARE(r.host.icon, std::string("first"));
        r.tray.setTrayIcon(picture(PictureType::None, "empty"));
        r.tray.setTrayIcon(nullptr);
        QCOMPARE(r.host.calls, Calls{"add"});
        QCOMPARE(r.tray.trayIcon()->type(), PictureType::Icon);
        r.tray.setTrayIcon(picture(PictureType::Icon, "second"));
        QCOMPARE(r.host.calls, (Calls{"add", "setIcon"}));
        QCOMPARE(r.host.icon, std::string("second"));
    }

    void qtPicturesSayWhatTheyHold() {
        const PicturePtr icon = QtPicture::icon(blueQIcon());
        QCOMPARE(icon->type(), PictureType::Icon);
        QCOMPARE(QtPicture::icon(QIcon())->type(), PictureType::None);

        Rig r;
        r.tray.setTrayIcon(icon);
        r.tray.setTrayIcon(QtPicture::icon(QIcon()));
        QCOMPARE(r.tray.trayIcon(), icon);
    }

    void theBlueQIsSixteenPixelsAndBlue() {
        const QImage image = drawBlueQ(16).toImage();
        QCOMPARE(image.size(), QSize(16, 16));
        int blue = 0;
        int clear = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.alpha() == 0)
                    ++clear;
                else if (c.alpha() > 200 && c.blue() > 2 * c.red() && c.blue() > c.green())
                    ++blue;
            }
        QVERIFY2(blue >= 30, qPrintable(QString::number(blue)));
        QVERIFY(clear >= 100);
        // The inside of the Q stays see-through.
        QCOMPARE(image.pixelColor(7, 7).alpha(), 0);
        QVERIFY(blueQIcon().availableSizes().contains(QSize(16, 16)));
    }

    void tipSetWhileHiddenIsUsedWhenShown() {
        Rig r;
        r.tray.setTrayTip("Tidewell");
        QVERIFY(r.host.calls.empty());
        r.tray.setInTray(true);
        QCOMPARE(r.host.tip, std::string("Tidewell"));
        r.tray.setTrayTip("Other");
        QCOMPARE(r.host.calls, (Calls{"add", "setTip"}));
        QCOMPARE(r.host.tip, std::string("Other"));
    }

    void emptyTipAddsTheIconWithoutTooltip() {
        Rig r;
        r.tray.setTrayTip("");
        r.tray.setInTray(true);
        QCOMPARE(r.host.calls, Calls{"add"});
        QCOMPARE(r.host.tip, std::string());
    }

    void longTipShowsItsFirst127Characters() {
        Rig r;
        std::string tip;
        for (int i = 0; i < 130; ++i)
            tip += "\xc3\xa9"; // é: two bytes, one character
        r.tray.setTrayTip(tip);
        r.tray.setInTray(true);
        QCOMPARE(r.host.tip, tip.substr(0, 254));
        QCOMPARE(r.tray.trayTip(), tip);
        QCOMPARE(firstCharacters("abc", 127), std::string("abc"));
        QCOMPARE(firstCharacters("a\xe2\x82\xac"
                                 "b",
                                 2),
                 std::string("a\xe2\x82\xac"));
    }

    void onceOnlyBalloonShowsTheFirstTimeOnly() {
        Rig r;
        r.tray.setInTray(true);
        r.tray.showBalloon("text", "title", 0, true);
        r.tray.showBalloon("text", "title", 0, true);
        QCOMPARE(r.host.balloons.size(), std::size_t(1));
        QCOMPARE(r.tray.onceCount(), 1);
        // Balloons without the flag neither count nor are stopped by the count.
        r.tray.showBalloon("again", "title", 0, false);
        r.tray.showBalloon("again", "title", 0, false);
        QCOMPARE(r.host.balloons.size(), std::size_t(3));
        QCOMPARE(r.tray.onceCount(), 1);
    }

    void onceCountStartsWithTheFirstFlaggedBalloon() {
        Rig r;
        r.tray.showBalloon("plain", "t", 0, false);
        r.tray.showBalloon("once", "t", 0, true);
        QCOMPARE(r.host.balloons.size(), std::size_t(2));
        QCOMPARE(r.host.balloons[1].text, std::string("once"));
    }

    void balloonWithoutTimeoutReturnsAtOnce() {
        Rig r;
        r.tray.showBalloon("text", "title", 0, false);
        QCOMPARE(r.pump.waits, 0);
        QCOMPARE(r.host.balloons[0].timeoutMs, 0);
        QVERIFY(r.tray.balloonUp());
        QCOMPARE(r.host.calls, Calls{"showBalloon"});
    }

    void balloonStillShowingAfterTheTimeoutIsTakenAway() {
        Rig r;
        r.tray.setInTray(true);
        const auto start = r.clock.millis();
        r.tray.showBalloon("text", "title", 5, true);
        QCOMPARE(r.host.balloons[0].timeoutMs, 5000);
        QCOMPARE(r.clock.millis() - start, std::int64_t(5000));
        QVERIFY(r.pump.waits >= 1);
        QCOMPARE(r.host.calls, (Calls{"add", "showBalloon", "removeBalloon"}));
        // Up until the platform says it is gone.
        QVERIFY(r.tray.balloonUp());
        r.host.notify(TrayNotification::BalloonHidden);
        QVERIFY(!r.tray.balloonUp());
    }

    void balloonWaitEndsWhenTheBalloonIsClickedOrGone() {
        for (TrayNotification gone :
             {TrayNotification::BalloonClicked, TrayNotification::BalloonHidden,
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
            QCOMPARE(r.clock.millis() - start, std::int64_t(1500));
            QCOMPARE(r.pump.waits, 1);
            QCOMPARE(r.host.calls, (Calls{"add", "showBalloon"}));
            QVERIFY(!r.tray.balloonUp());
        }
    }

    void eventsAndTheIconKeepWorkingDuringTheWait() {
        Rig r;
        r.tray.setInTray(true);
        r.pump.onPending = [&] {
            r.pump.onPending = nullptr;
            r.host.notify(TrayNotification::RightDown);
            r.host.notify(TrayNotification::RightUp);
        };
        r.tray.showBalloon("text", "title", 5, false);
        QCOMPARE(r.heard, (std::vector<std::string>{"Down 2 0", "Up 2 0"}));
        QCOMPARE(r.host.calls.back(), std::string("removeBalloon"));
    }

    void removingTheIconEndsTheWait() {
        Rig r;
        r.tray.setInTray(true);
        r.pump.onPending = [&] { r.tray.setInTray(false); };
        r.tray.showBalloon("text", "title", 5, false);
        QCOMPARE(r.pump.waits, 1);
        QCOMPARE(r.host.calls, (Calls{"add", "showBalloon", "remove"}));
    }

    void balloonWaitCrossingMidnightStillLastsItsTime() {
        Rig r;
        r.clock.set({2026, 12, 7, 23, 59, 58});
        const auto start = r.clock.millis();
        r.tray.showBalloon("text", "title", 5, false);
        QCOMPARE(r.clock.millis() - start, std::int64_t(5000));
    }

    void balloonTextsAreCutToWhatTheTrayTakes() {
        Rig r;
        r.tray.showBalloon(std::string(300, 'x'), std::string(70, 't'), 0, false);
        QCOMPARE(r.host.balloons[0].text.size(), std::size_t(255));
        QCOMPARE(r.host.balloons[0].title.size(), std::size_t(63));
    }

    void clicksBecomeButtonEvents_data() {
        QTest::addColumn<int>("activation");
        QTest::addColumn<QStringList>("heard");
        QTest::newRow("left click")
            << int(QSystemTrayIcon::Trigger) << QStringList{"Down 1 0", "Up 1 0"};
        QTest::newRow("right click")
            << int(QSystemTrayIcon::Context) << QStringList{"Down 2 0", "Up 2 0"};
        QTest::newRow("double click")
            << int(QSystemTrayIcon::DoubleClick) << QStringList{"DblClick 1 0"};
        QTest::newRow("middle click") << int(QSystemTrayIcon::MiddleClick) << QStringList{};
        QTest::newRow("unknown") << int(QSystemTrayIcon::Unknown) << QStringList{};
    }
    void clicksBecomeButtonEvents() {
        QFETCH(int, activation);
        QFETCH(QStringList, heard);
        Rig r;
        for (TrayNotification n :
             notificationsFor(static_cast<QSystemTrayIcon::ActivationReason>(activation)))
            r.host.notify(n);
        QStringList got;
        for (const auto& h : r.heard)
            got << QString::fromStdString(h);
        QCOMPARE(got, heard);
    }

    void everyMouseNotificationRaisesItsEvent() {
        Rig r;
        for (TrayNotification n : {TrayNotification::MouseMove, TrayNotification::LeftDown,
                                   TrayNotification::LeftUp, TrayNotification::LeftDblClick,
                                   TrayNotification::RightDown, TrayNotification::RightUp,
                                   TrayNotification::RightDblClick, TrayNotification::BalloonShown})
            r.host.notify(n);
        QCOMPARE(r.heard, (std::vector<std::string>{"Move 0", "Down 1 0", "Up 1 0", "DblClick 1 0",
                                                    "Down 2 0", "Up 2 0", "DblClick 2 0"}));
    }

    void eventsWithoutHandlersAreDropped() {
        test::FakeClock clock;
        test::FakeEventPump pump(clock);
        test::FakeTrayHost host;
        TrayIcon tray(host, clock, pump);
        host.notify(TrayNotification::LeftUp);
        host.notify(TrayNotification::MouseMove);
        QVERIFY(!tray.balloonUp());
    }
};

} // namespace tw

QTEST_MAIN(tw::TestSysTray)
#include "test_tray_icon.moc"
