// A real firing under X: the window with the real platform, an Every X schedule of 2 seconds,
// a script in the run list and an xmessage window in the close list (soft close). Monitoring
// is switched on by clicking "Turn On" with xdotool; the script must run, the xmessage window
// must close, and the history must hold both rows.
#include "frontend/qt/qt_main_window.h"
#include "platform/linux/gio_launcher.h"
#include "platform/linux/proc_processes.h"
#include "platform/linux/system_clock.h"
#include "platform/linux/x11_windows.h"
#include "platform/linux/xdg_autostart.h"
#include "platform/qt/ini_settings_store.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/qt/qt_locale_text.h"
#include "platform/qt/wall_clock_timer.h"
#include "settings/settings.h"
#include "support/fake_dialogs.h"
#include "support/fake_notifier.h"
#include "support/fake_tray_host.h"
#include "window/access_keys.h"
#include "window/main_window.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QtTest>

namespace tw {

class XTestEveryXFiring : public QObject {
    Q_OBJECT

    // Handles events until the condition holds or the limit has passed.
    template <typename Condition> static bool waitFor(Condition done, int limitMs) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < limitMs)
            QTest::qWait(50);
        return done();
    }

    static void clickWithXdotool(QWidget* widget) {
        const QPoint at = widget->mapToGlobal(widget->rect().center());
        QCOMPARE(QProcess::execute("xdotool", {"mousemove", QString::number(at.x()),
                                               QString::number(at.y()), "click", "1"}),
                 0);
    }

  private slots:
    void scriptRunsWindowClosesAndHistoryHasBothRows() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString marker = dir.filePath("ran");
        const QString script = dir.filePath("backup.sh");
        {
            QFile f(script);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QString("#!/bin/sh\ndate +%s.%N > '%1'\n").arg(marker).toUtf8());
            f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        }

        QProcess xmessage;
        xmessage.start("xmessage", {"-name", "tidewell-close-me", "Close me"});
        QVERIFY(xmessage.waitForStarted());

        IniSettingsStore store(dir.path().toStdString());
        Settings settings(store);
        for (const auto& [key, value] : std::initializer_list<std::pair<const char*, std::string>>{
                 {"Option1", "3"},
                 {"Text1", "0"},
                 {"Text2", "0"},
                 {"Text3", "2"},
                 {"Check1", "1"},
                 {"Check2", "1"},
                 {"Option7", "1"},
                 {"Option6", "0"},
                 {"ListView1", script.toStdString() + kListItemSeparator},
                 {"ListView2", std::string("xmessage") + kListItemSeparator}})
            settings.save(key, value);

        SystemClock clock;
        QtLocaleText locale;
        test::FakeDialogs dialogs; // any box would be a failure: recorded, never blocking
        QtEventPump events;
        GioLauncher launcher;
        ProcProcesses processes;
        X11Windows windows(&events);
        XdgAutostart autostart;
        QtClipboard clipboard;
        WallClockTimer timer;
        test::FakeTrayHost tray;
        WallClockTimer trayWait;
        test::FakeNotifier notifier;
        Services services{clock,    locale,    store,    dialogs,   events,
                          launcher, processes, windows,  autostart, clipboard,
                          timer,    tray,      trayWait, nullptr,   notifier};

        // The xmessage window must be up before the firing looks for it.
        QVERIFY(waitFor(
            [&] {
                for (const auto& w : windows.closableWindows())
                    if (w.pid == static_cast<int>(xmessage.processId()))
                        return true;
                return false;
            },
            10000));

        QtMainWindow form;
        MainWindow window(form.controls(), services);
        window.homePageRandom = [] { return 0.5; };
        window.endProgram = [] {};
        window.start();
        form.showCentred();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // The switch's caption as read, without its access key's mark.
        const auto switchCaption = [&] {
            return plainCaption(form.control<QPushButton>("PushButton2").text().toStdString());
        };
        QCOMPARE(switchCaption(), std::string("Turn On"));
        // Start-up selected Every X, whose handler left the day and the time unusable.
        QVERIFY(form.control<QRadioButton>("Option3").isChecked());
        QVERIFY(!form.control<QTimeEdit>("dtpWeekly").isEnabled());
        QVERIFY(!form.control<QComboBox>("cboWeekly").isEnabled());

        clickWithXdotool(&form.control<QPushButton>("PushButton2"));
        QVERIFY(waitFor([&] { return switchCaption() == "Stop"; }, 5000));
        QVERIFY(waitFor(
            [&] { return QFile::exists(marker) && xmessage.state() == QProcess::NotRunning; },
            15000));
        QVERIFY(form.control<QGroupBox>("Frame4").title().startsWith(
            "On. Next run/close will occur in: "));

        QVERIFY(waitFor([&] { return form.control<QtListView>("ListView3").count() >= 2; }, 5000));
        const std::string closeRow = form.control<QtListView>("ListView3").subItem(1, 1);
        const std::string runRow = form.control<QtListView>("ListView3").subItem(2, 1);
        QVERIFY2(closeRow.rfind("Close file ", 0) == 0, closeRow.c_str());
        QCOMPARE(runRow, "Run file " + script.toStdString());
        for (const auto& box : dialogs.boxes)
            qWarning("box: %s", box.text.c_str());
        QVERIFY(dialogs.boxes.empty());

        clickWithXdotool(&form.control<QPushButton>("PushButton2"));
        QVERIFY(waitFor([&] { return switchCaption() == "Turn On"; }, 5000));
        QCOMPARE(form.control<QGroupBox>("Frame4").title(), QString("Off."));
        window.close();
    }
};

} // namespace tw

QTEST_MAIN(tw::XTestEveryXFiring)
#include "xtest_every_x_firing.moc"
