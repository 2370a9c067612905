#include "frontend/qt/window_rig.h"

#include <QtTest>

namespace tw {

// The start-up options and the tray as the window drives them, over a fake notification area.
class TestWindowTray : public QObject {
    Q_OBJECT

  private slots:
    void clickingTheBoxesStoresThemAndRegisters() {
        test::WindowRig r;
        r.load();
        QCheckBox& withSession = r.control<QCheckBox>("Check4");
        QCheckBox& inTray = r.control<QCheckBox>("Check8");
        r.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(r.form.get()));
        QTest::mouseClick(&withSession, Qt::LeftButton);
        QVERIFY(inTray.isVisible());
        QCOMPARE(r.store.value("Windows Startup"), std::string("On"));
        QCOMPARE(r.autostart.entries, std::vector<std::string>{"tidewell"});
        QTest::mouseClick(&inTray, Qt::LeftButton);
        QCOMPARE(r.store.value("Minimized"), std::string("On"));
        QTest::mouseClick(&withSession, Qt::LeftButton);
        QVERIFY(!inTray.isVisible());
        QVERIFY(!inTray.isChecked());
        QCOMPARE(r.store.value("Minimized"), std::string("Off"));
        QCOMPARE(r.store.value("Windows Startup"), std::string("Off"));
        QVERIFY(r.autostart.entries.empty());
    }

    // Restoring the box writes nothing; start-up then writes the entry only when "On" was
    // stored without one that starts this program (left so by an older program).
    void restoringTheBoxesAtStartUpWritesOnlyAMissingEntry() {
        test::WindowRig r;
        r.store.put("Windows Startup", "On");
        r.store.put("Minimized", "On");
        r.autostart.entries = {"tidewell"};
        r.load();
        QVERIFY(r.autostart.calls.empty());

        test::WindowRig missing;
        missing.store.put("Windows Startup", "On");
        missing.load();
        QCOMPARE(missing.autostart.calls, std::vector<std::string>{"add tidewell"});
        QVERIFY(missing.control<QCheckBox>("Check4").isChecked());
        QVERIFY(missing.dialogs.boxes.empty());
    }

    void failedEntryLeavesTheBoxClearWithABox() {
        test::WindowRig r;
        r.load();
        r.autostart.failure = "No space left on device";
        QTest::mouseClick(&r.control<QCheckBox>("Check4"), Qt::LeftButton);
        QVERIFY(!r.control<QCheckBox>("Check4").isChecked());
        QCOMPARE(r.store.value("Windows Startup"), std::string("Off"));
        QCOMPARE(r.dialogs.boxes.size(), std::size_t(2)); // the add, then the clean-up
    }

    void withoutATrayMinimisingLeavesTheWindowReachable() {
        test::WindowRig r;
        r.tray.areaUp = false;
        r.load();
        r.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(r.form.get()));
        r.form->setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(r.window->trayBehaviour().waitingForTray());
        QVERIFY(r.trayWait.running());
        QVERIFY(r.form->isVisible());
        QVERIFY(!r.window->trayBehaviour().isHiddenInTray());
        QCOMPARE(r.events.waits, 0); // no balloon waited for
        // A notification area appears: the next look hides the window there.
        r.tray.areaUp = true;
        r.trayWait.tick();
        QVERIFY(r.window->trayBehaviour().isHiddenInTray());
        QVERIFY(!r.trayWait.running());
    }

    void clickOnTheIconRestoresTheHiddenWindow() {
        test::WindowRig r;
        r.load();
        r.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(r.form.get()));
        r.form->hide();
        r.tray.notify(TrayNotification::LeftUp);
        QVERIFY(r.form->isVisible());
        QVERIFY(!r.form->isMinimized());
    }

    // A firing that fails while the window is hidden in the tray is told in one
    // notification; one in sight, and the Test button's launch, only in the history.
    void aFailedFiringIsToldOnlyWhileTheWindowIsInTheTray() {
        test::WindowRig r;
        r.load();
        r.control<QLineEdit>("Text1").setText("0");
        r.control<QLineEdit>("Text2").setText("0");
        r.control<QLineEdit>("Text3").setText("2");
        r.control<QCheckBox>("Check1").setChecked(true);
        r.control<QtListView>("ListView1").addRow("/opt/gone");
        r.control<QRadioButton>("Option3").setChecked(true);
        r.launcher.openFailure = "no such file";
        r.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(r.form.get()));
        QTest::mouseClick(&r.control<QPushButton>("PushButton2"), Qt::LeftButton);
        const auto fire = [&r] {
            r.timer.tick();
            r.timer.tick();
        };
        fire();
        QCOMPARE(r.window->history().list().count(), 1);
        QVERIFY(r.notifier.shown.empty());

        r.form->setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(r.window->trayBehaviour().isHiddenInTray());
        fire();
        QCOMPARE(r.window->history().list().count(), 2);
        QCOMPARE(r.notifier.shown.size(), std::size_t(1));
        QCOMPARE(r.notifier.shown[0].body,
                 std::string("Run file /opt/gone \xE2\x80\x94 not started: no such file"));
        r.control<QPushButton>("PushButton1").click(); // "Execute Run Now (Test)"
        QCOMPARE(r.window->history().list().count(), 3);
        QCOMPARE(r.notifier.shown.size(), std::size_t(1));

        r.tray.notify(TrayNotification::LeftUp);
        QVERIFY(r.form->isVisible());
        fire();
        QCOMPARE(r.window->history().list().count(), 4);
        QCOMPARE(r.notifier.shown.size(), std::size_t(1));
    }
};

} // namespace tw

QTEST_MAIN(tw::TestWindowTray)
#include "test_window_tray.moc"
