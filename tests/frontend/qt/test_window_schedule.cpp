#include "frontend/qt/window_rig.h"

#include <QtTest>

namespace tw {

// The schedule's controls as the user and start-up drive them, over fakes.
class TestWindowSchedule : public QObject {
    Q_OBJECT

    struct Rig : test::WindowRig {
        QRadioButton* option1 = &control<QRadioButton>("Option1");
        QRadioButton* option2 = &control<QRadioButton>("Option2");
        QRadioButton* option3 = &control<QRadioButton>("Option3");
        QComboBox* day = &control<QComboBox>("cboWeekly");
        QTimeEdit* picker = &control<QTimeEdit>("dtpWeekly");
        QLineEdit* text1 = &control<QLineEdit>("Text1");
        QLineEdit* text2 = &control<QLineEdit>("Text2");
        QLineEdit* text3 = &control<QLineEdit>("Text3");
        QCheckBox* check1 = &control<QCheckBox>("Check1");
        QCheckBox* check2 = &control<QCheckBox>("Check2");
        QPushButton* button = &control<QPushButton>("PushButton2");
        QGroupBox* frame4 = &control<QGroupBox>("Frame4");
        QProgressBar* bar = &control<QProgressBar>("ProgressBar1");
        QtListView& runs = control<QtListView>("ListView1");
        QWidget& widget = *form;
    };

  private slots:
    void assignmentsInCodeRunTheHandlers() {
        Rig rig;
        rig.picker->setTime(QTime(9, 0, 0));
        QCOMPARE(rig.store.value("Weekly Time"), std::string("9:00:00 AM"));
        rig.option2->setChecked(true);
        QCOMPARE(rig.store.value("Option1"), std::string("2"));
        QVERIFY(!rig.day->isEnabled());
        QCOMPARE(rig.window->countdown().spanSeconds, 3600);
        rig.option3->setChecked(true);
        QCOMPARE(rig.store.value("Option1"), std::string("3"));
        QVERIFY(!rig.picker->isEnabled());
        rig.day->setCurrentText("Friday");
        QCOMPARE(rig.store.value("Weekly"), std::string("Friday"));
        rig.text2->setText("12x");
        QCOMPARE(rig.store.value("Text2"), std::string("12x"));
        rig.check1->setChecked(true);
        rig.check2->setChecked(false);
        rig.check2->setChecked(true);
        QCOMPARE(rig.store.value("Check1"), std::string("1"));
        QCOMPARE(rig.store.value("Check2"), std::string("1"));
        rig.option1->setChecked(true);
        QVERIFY(rig.day->isEnabled() && rig.picker->isEnabled());
    }

    void theDesignedSelectionSetsTheUsableInputsFromTheStart() {
        Rig rig; // Every X selected before the handlers were connected, as designed
        QVERIFY(rig.option3->isChecked());
        QVERIFY(!rig.picker->isEnabled() && !rig.day->isEnabled());
        QVERIFY(rig.store.writes.empty());
    }

    void clickingTheSelectedEveryXAgainRestartsTheCount() {
        Rig rig;
        rig.widget.show();
        QTest::mouseClick(rig.option3, Qt::LeftButton, {}, QPoint(6, rig.option3->height() / 2));
        QCOMPARE(rig.store.writes.size(), size_t{1});
        rig.window->countdown().elapsedSeconds = 40;
        QTest::mouseClick(rig.option3, Qt::LeftButton, {}, QPoint(6, rig.option3->height() / 2));
        QCOMPARE(rig.window->countdown().elapsedSeconds, 0);
        QCOMPARE(rig.store.writes.size(), size_t{2});
    }

    void typingStoresEachKeystrokeAndLeavingRefusesANonNumber() {
        Rig rig;
        rig.widget.show();
        QVERIFY(QTest::qWaitForWindowActive(&rig.widget));
        rig.text2->setFocus();
        QTest::keyClicks(rig.text2, "12x");
        const std::vector<std::pair<std::string, std::string>> writes = {
            {"Text2", "1"}, {"Text2", "12"}, {"Text2", "12x"}};
        QCOMPARE(rig.store.writes, writes);
        rig.text3->setFocus();
        QCOMPARE(rig.dialogs.boxes.size(), size_t{1});
        QCOMPARE(rig.dialogs.boxes[0].text, std::string("Must be a numeric entry."));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(rig.text2));
        QCOMPARE(rig.text2->text(), QString("12x"));
        rig.text2->setText("12");
        rig.text3->setText("5");
        rig.text3->setFocus();
        rig.text1->setFocus();
        QCOMPARE(rig.dialogs.boxes.size(), size_t{1});
    }

    void theSwitchRunsTheTimerAndTheTickDrivesTheDisplays() {
        Rig rig;
        rig.text1->setText("0");
        rig.text2->setText("0");
        rig.text3->setText("2");
        rig.check1->setChecked(true);
        rig.runs.addRow("/usr/bin/true");
        rig.option3->setChecked(true);
        rig.widget.show();
        QTest::mouseClick(rig.button, Qt::LeftButton);
        QCOMPARE(rig.button->text(), QString("Stop"));
        QVERIFY(rig.timer.running());
        rig.timer.tick();
        QCOMPARE(rig.frame4->title(), QString("On. Next run/close will occur in: 00:00:01"));
        // One second of two: the bar is drawn half full, counted in its pixels.
        QCOMPARE(rig.bar->maximum(), rig.bar->width());
        QCOMPARE(rig.bar->value(), rig.bar->width() / 2);
        rig.timer.tick();
        QCOMPARE(rig.launcher.opened.size(), size_t{1});
        QCOMPARE(rig.window->history().list().subItem(1, 1), std::string("Run file /usr/bin/true"));

        QTest::mouseClick(rig.button, Qt::LeftButton);
        QCOMPARE(rig.button->text(), QString("Turn On"));
        QCOMPARE(rig.frame4->title(), QString("Off."));
        QCOMPARE(rig.bar->value(), 0);
        QCOMPARE(rig.bar->format(), QString("Progress Bar"));
        QVERIFY(!rig.timer.running());
    }

    // The firing reads what the handlers and start-up took in, not the controls: what the
    // user changes during its pause reaches the rest of it, and stored choices that clear an
    // option (which raises no event) are what it uses.
    void theFiringUsesTheChoicesAsTheHandlersTookThem() {
        { // Both close methods stored clear: the close pass reaches neither windows nor
            // processes.
            Rig rig;
            // Every X of one second, closing on, running off: only what differs from the
            // fallbacks.
            rig.store.put("Option1", "3");
            rig.store.put("Text2", "0");
            rig.store.put("Text3", "1");
            rig.store.put("Check1", "0");
            rig.store.put("Check2", "1");
            rig.store.put("Option7", "0");
            rig.store.put("ListView2", "xterm||||||||---|||");
            rig.load();
            rig.widget.show();
            QTest::mouseClick(rig.button, Qt::LeftButton);
            rig.timer.changes.clear();
            rig.timer.tick();
            QCOMPARE(rig.timer.changes.front(), std::string("timer off"));
            QCOMPARE(rig.windows.scans + rig.processes.scans, 0);
        }
        Rig rig;
        rig.text1->setText("0");
        rig.text2->setText("0");
        rig.text3->setText("1");
        rig.check1->setChecked(true);
        rig.check2->setChecked(true);
        rig.runs.addRow("/usr/bin/true");
        rig.option3->setChecked(true);
        rig.widget.show();
        QTest::mouseClick(rig.button, Qt::LeftButton);
        // In the pause after the close pass the user browses to one more program and clears
        // the close feature: the run pass takes both, and the second pause is dropped.
        rig.events.onPending = [&rig] {
            if (rig.events.waits != 1 || rig.runs.count() != 1)
                return;
            rig.dialogs.fileAnswers = {"/usr/bin/xclock"};
            QTest::mouseClick(&rig.control<QPushButton>("PushButton3"), Qt::LeftButton);
            QTest::mouseClick(rig.check2, Qt::LeftButton, {}, QPoint(6, rig.check2->height() / 2));
        };
        rig.timer.tick();
        QCOMPARE(rig.launcher.opened.size(), size_t{2});
        QCOMPARE(rig.launcher.opened[1].file, std::string("/usr/bin/xclock"));
        QCOMPARE(rig.events.waits, 1);
        QCOMPARE(rig.store.value("ListView1"),
                 std::string("/usr/bin/true||||||||---|||/usr/bin/xclock||||||||---|||"));
    }

    void aBarOutsideItsSpanStaysWithinTheWidget() {
        Rig rig;
        rig.picker->setTime(QTime(7, 0, 0)); // already passed at 08:00
        rig.option2->setChecked(true);
        rig.widget.show();
        QTest::mouseClick(rig.button, Qt::LeftButton);
        rig.timer.tick();
        QCOMPARE(rig.window->countdown().spanSeconds, -3600);
        QCOMPARE(rig.bar->minimum(), 0);
        QCOMPARE(rig.bar->value(), 0);
        QCOMPARE(rig.frame4->title(), QString("On. Next run/close will occur in: "));
    }
};

} // namespace tw

QTEST_MAIN(tw::TestWindowSchedule)
#include "test_window_schedule.moc"
