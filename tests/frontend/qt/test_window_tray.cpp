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
};

} // namespace tw

QTEST_MAIN(tw::TestWindowTray)
#include "test_window_tray.moc"
