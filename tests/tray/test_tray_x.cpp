// The tray wiring against a real X server, window manager and tray host (run by
// with-xvfb.sh); the mouse is driven with xdotool as a user's would be.
#include "frontend/qt/window_rig.h"

#include <QLabel>
#include <QProcess>
#include <QtTest>

namespace tw {

namespace {

bool xdotool(const QStringList& args) {
    return QProcess::execute("xdotool", args) == 0;
}

// The window the window manager calls active, 0 when none.
WId activeWindow() {
    QProcess p;
    p.start("xdotool", {"getactivewindow"});
    p.waitForFinished();
    return p.readAllStandardOutput().trimmed().toULongLong();
}

// Whether the X server shows the window (Qt's own idea of it may differ).
bool viewable(WId window) {
    QProcess p;
    p.start("xwininfo", {"-id", QString::number(window)});
    p.waitForFinished();
    return p.readAllStandardOutput().contains("Map State: IsViewable");
}

// Qt's own balloon (no notification service runs here): a visible top-level widget
// of class QBalloonTip; returns its label texts joined by '|', "" when none shows.
QString balloonShowing() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || qstrcmp(w->metaObject()->className(), "QBalloonTip") != 0)
            continue;
        QStringList texts;
        for (QLabel* label : w->findChildren<QLabel*>())
            if (!label->text().isEmpty())
                texts << label->text();
        return texts.join('|');
    }
    return {};
}

} // namespace

class TestTrayX : public QObject {
    Q_OBJECT

    std::unique_ptr<test::WindowRig> rig;
    QStringList balloons; // each balloon seen, once
    QTimer watch;

    QPoint iconCentre() const { return rig->realTray->icon().geometry().center(); }

    void clickIcon(const char* button) {
        const QPoint c = iconCentre();
        QVERIFY(xdotool(
            {"mousemove", QString::number(c.x()), QString::number(c.y()), "click", button}));
    }

    // Asks the window manager to minimise the window, as its title bar button does. openbox
    // now and then ignores the first request for a window it has just mapped again; a
    // person would click once more, and so does this.
    void minimise() {
        for (int attempt = 0; attempt < 5 && viewable(rig->form->winId()); ++attempt) {
            QVERIFY(xdotool({"windowminimize", QString::number(rig->form->winId())}));
            QTest::qWait(300);
        }
    }

  private slots:
    void initTestCase() {
        QVERIFY2(QtTrayHost::trayAvailable(), "run under with-xvfb.sh with trayer");
        // Samples the screen while handlers wait in nested event loops.
        watch.setInterval(50);
        connect(&watch, &QTimer::timeout, this, [this] {
            const QString b = balloonShowing();
            if (!b.isEmpty() && (balloons.isEmpty() || balloons.last() != b))
                balloons << b;
            if (b.isEmpty() && !balloons.isEmpty() && !balloons.last().isEmpty())
                balloons << QString();
        });
        watch.start();
        rig = std::make_unique<test::WindowRig>("/nonexistent", test::WindowRig::Tray::Real);
        rig->load();
        rig->form->show();
        QVERIFY(QTest::qWaitForWindowExposed(rig->form.get()));
    }

    void theIconSitsInTheTray() {
        QTRY_VERIFY(rig->realTray->icon().geometry().width() > 0);
        // The icon shows before trayer has taken it in: wait for it to reach the tray.
        QTRY_VERIFY(rig->realTray->icon().geometry().top() > 900);
        const QRect g = rig->realTray->icon().geometry();
        QVERIFY2(g.width() <= 40 && g.height() <= 40, qPrintable(QString::number(g.width())));
        QCOMPARE(rig->realTray->icon().toolTip(), QString("Tidewell"));
        // trayer docks along the bottom edge of the 1280x1024 screen.
        QVERIFY(g.top() > 900);
    }

    void firstMinimiseHidesWithItsBalloonAndALeftClickRestores() {
        minimise();
        QTRY_VERIFY(!rig->form->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!balloons.isEmpty(), 3000);
        QVERIFY(!viewable(rig->form->winId()));
        QCOMPARE(balloons.first(),
                 QString("Tidewell|has been minimized to the system tray.\r\nClick on the blue 'Q' "
                         "icon (Q for Quillmark) to bring the software back."));
        QVERIFY(rig->window->trayBehaviour().isHiddenInTray());
        // The balloon goes after its five seconds; the window stays away.
        QTRY_VERIFY_WITH_TIMEOUT(balloonShowing().isEmpty(), 8000);
        QVERIFY(!rig->form->isVisible());
        QVERIFY(!viewable(rig->form->winId()));

        clickIcon("1");
        QTRY_VERIFY(rig->form->isVisible());
        QTRY_VERIFY(viewable(rig->form->winId()));
        QVERIFY(!rig->form->isMinimized());
        QVERIFY(!rig->window->trayBehaviour().isHiddenInTray());
        // The window manager made it the active window.
        QTRY_COMPARE(activeWindow(), rig->form->winId());
    }

    void laterMinimisesHideSilentlyAndARightClickRestores() {
        balloons.clear();
        minimise();
        QTRY_VERIFY_WITH_TIMEOUT(!rig->form->isVisible(), 8000);
        QTest::qWait(1000);
        QVERIFY2(balloons.isEmpty(), qPrintable(balloons.join(';')));
        QVERIFY(!viewable(rig->form->winId()));
        clickIcon("3");
        QTRY_VERIFY(rig->form->isVisible());
        QTRY_VERIFY(viewable(rig->form->winId()));
        QVERIFY(!rig->form->isMinimized());
    }

    void cleanupTestCase() {
        rig->window->trayIcon().setInTray(false);
        QVERIFY(!rig->realTray->icon().isVisible());
        rig.reset();
    }
};

} // namespace tw

QTEST_MAIN(tw::TestTrayX)
#include "test_tray_x.moc"
