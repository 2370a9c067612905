// The tray wiring on a real X server with a window manager but no tray host at first.
#include "frontend/qt/window_rig.h"

#include <QProcess>
#include <QtTest>

namespace tw {

class TestTrayMissingX : public QObject {
    Q_OBJECT

    QProcess trayer;

  private slots:
    void minimisingWithoutATrayKeepsTheWindowReachableUntilOneAppears() {
        QVERIFY2(!QtTrayHost::trayAvailable(), "run under with-xvfb.sh without trayer");
        test::WindowRig rig("/nonexistent", test::WindowRig::Tray::Real);
        rig.load();
        rig.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(rig.form.get()));

        QCOMPARE(
            QProcess::execute("xdotool", {"windowminimize", QString::number(rig.form->winId())}),
            0);
        QTRY_VERIFY(rig.form->isMinimized());
        QTest::qWait(1500);
        // Still minimised to the window manager, not withdrawn: the user can bring it back.
        QVERIFY(rig.form->isVisible());
        QVERIFY(!rig.window->trayBehaviour().isHiddenInTray());
        QVERIFY(rig.window->trayBehaviour().waitingForTray());

        trayer.start("trayer", {"--edge", "bottom", "--align", "right", "--widthtype", "pixel",
                                "--width", "200", "--height", "32"});
        QVERIFY(trayer.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QtTrayHost::trayAvailable(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.form->isVisible(), 5000);
        QVERIFY(rig.window->trayBehaviour().isHiddenInTray());
        QTRY_VERIFY(rig.realTray->icon().geometry().width() > 0);

        emit rig.realTray->icon().activated(QSystemTrayIcon::Trigger);
        QTRY_VERIFY(rig.form->isVisible());
        rig.window->trayIcon().setInTray(false);
    }

    void cleanupTestCase() {
        if (trayer.state() != QProcess::NotRunning) {
            trayer.terminate();
            trayer.waitForFinished(3000);
        }
    }
};

} // namespace tw

QTEST_MAIN(tw::TestTrayMissingX)
#include "test_tray_missing_x.moc"
