#include "frontend/qt/form1_tray_rig.h"
#include "support/fake_clock.h"

#include <QtTest>

namespace tw {

// The tray wiring on a display without a notification area (Qt's offscreen platform).
class TestForm1Tray : public QObject {
    Q_OBJECT

    test::FakeClock clock;
    test::FakeEventPump pump{clock};

  private slots:
    void clickingTheBoxesStoresThemAndRegisters() {
        Form1TrayRig r(clock, pump);
        r.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&r.window));
        QTest::mouseClick(r.Check4, Qt::LeftButton);
        QVERIFY(r.Check8->isVisible());
        QCOMPARE(r.store.value("Windows Startup"), std::string("On"));
        QCOMPARE(r.autostart.entries, std::vector<std::string>{"tidewell"});
        QTest::mouseClick(r.Check8, Qt::LeftButton);
        QCOMPARE(r.store.value("Minimized"), std::string("On"));
        QTest::mouseClick(r.Check4, Qt::LeftButton);
        QVERIFY(!r.Check8->isVisible());
        QVERIFY(!r.Check8->isChecked());
        QCOMPARE(r.store.value("Minimized"), std::string("Off"));
        QCOMPARE(r.store.value("Windows Startup"), std::string("Off"));
        QVERIFY(r.autostart.entries.empty());
    }

    void restoringTheBoxesAtStartUpLeavesTheEntryAlone() {
        Form1TrayRig r(clock, pump);
        r.loading = true;
        r.Check4->setChecked(true);
        r.Check8->setChecked(true);
        QVERIFY(r.autostart.calls.empty());
        QCOMPARE(r.store.writes,
                 (std::vector<std::pair<std::string, std::string>>{{"Minimized", "On"}}));
    }

    void failedEntryLeavesTheBoxClearWithABox() {
        Form1TrayRig r(clock, pump);
        r.autostart.failure = "No space left on device";
        QTest::mouseClick(r.Check4, Qt::LeftButton);
        QVERIFY(!r.Check4->isChecked());
        QCOMPARE(r.store.value("Windows Startup"), std::string("Off"));
        QCOMPARE(r.dialogs.boxes.size(), std::size_t(2)); // the add, then the clean-up
    }

    void withoutATrayMinimisingLeavesTheWindowReachable() {
        QVERIFY(!QtTrayHost::trayAvailable());
        Form1TrayRig r(clock, pump);
        r.tray->cSysTray1().setInTray(true);
        r.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&r.window));
        r.window.setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(r.tray->behaviour().waitingForTray());
        QVERIFY(r.window.isVisible());
        QVERIFY(!r.tray->behaviour().IsHiddenInTray());
        QCOMPARE(pump.waits, 0); // no balloon waited for
    }

    void clickOnTheIconRestoresTheHiddenWindow() {
        Form1TrayRig r(clock, pump);
        r.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&r.window));
        r.window.hide();
        emit r.tray->host().icon().activated(QSystemTrayIcon::Context);
        QVERIFY(r.window.isVisible());
        QVERIFY(!r.window.isMinimized());
    }
};

} // namespace tw

QTEST_MAIN(tw::TestForm1Tray)
#include "test_form1_tray.moc"
