// The tray wiring on a real X server with a window manager but no tray host at first.
#include "frontend/qt/form1_tray_rig.h"
#include "platform/linux/system_clock.h"
#include "platform/qt/qt_event_pump.h"

#include <QProcess>
#include <QtTest>

namespace tw {

class TestTrayMissingX : public QObject {
    Q_OBJECT

    SystemClock clock;
    QtEventPump pump;
    QProcess trayer;

  private slots:
    void minimisingWithoutATrayKeepsTheWindowReachableUntilOneAppears() {
        QVERIFY2(!QtTrayHost::trayAvailable(), "run under with-xvfb.sh without trayer");
        Form1TrayRig rig(clock, pump);
        rig.tray->cSysTray1().setTrayTip("Tidewell");
        rig.tray->cSysTray1().setInTray(true);
        rig.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.window));

        QCOMPARE(
            QProcess::execute("xdotool", {"windowminimize", QString::number(rig.window.winId())}),
            0);
        QTRY_VERIFY(rig.window.isMinimized());
        QTest::qWait(1500);
        // Still minimised to the window manager, not withdrawn: the user can bring it back.
        QVERIFY(rig.window.isVisible());
        QVERIFY(!rig.tray->behaviour().IsHiddenInTray());
        QVERIFY(rig.tray->behaviour().waitingForTray());

        trayer.start("trayer", {"--edge", "bottom", "--align", "right", "--widthtype", "pixel",
                                "--width", "200", "--height", "32"});
        QVERIFY(trayer.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QtTrayHost::trayAvailable(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.window.isVisible(), 5000);
        QVERIFY(rig.tray->behaviour().IsHiddenInTray());
        QTRY_VERIFY(rig.tray->host().icon().geometry().width() > 0);

        emit rig.tray->host().icon().activated(QSystemTrayIcon::Trigger);
        QTRY_VERIFY(rig.window.isVisible());
        rig.tray->cSysTray1().setInTray(false);
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
