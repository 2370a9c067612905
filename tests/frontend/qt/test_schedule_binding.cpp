#include "core/memory_list_view.h"
#include "frontend/qt/schedule_binding.h"
#include "platform/services.h"
#include "schedule/stepped_timer.h"
#include "support/fake_autostart.h"
#include "support/fake_clipboard.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_launcher.h"
#include "support/fake_locale_text.h"
#include "support/fake_processes.h"
#include "support/fake_settings_store.h"
#include "support/fake_windows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <QtTest>

namespace tw {

// The schedule controls wired as on the main window, over fakes.
class TestScheduleBinding : public QObject {
    Q_OBJECT

    struct Rig {
        Rig() {
            form.setObjectName("Form1");
            auto* layout = new QVBoxLayout(&form);
            auto* frame1 = new QGroupBox("Run / Close Schedule");
            auto* frameLayout = new QVBoxLayout(frame1);
            for (QWidget* child : std::initializer_list<QWidget*>{option1, option2, option3, day,
                                                                  picker, text1, text2, text3})
                frameLayout->addWidget(child);
            layout->addWidget(frame1);
            auto* closeMethods = new QGroupBox("Close method");
            auto* methodLayout = new QVBoxLayout(closeMethods);
            methodLayout->addWidget(option7);
            methodLayout->addWidget(option6);
            layout->addWidget(closeMethods);
            for (QWidget* child : std::initializer_list<QWidget*>{check1, check2, button, frame4})
                layout->addWidget(child);
            new QVBoxLayout(frame4);
            frame4->layout()->addWidget(bar);
            const char* names[] = {"Option1", "Option2", "Option3", "Text1", "Text2", "Text3"};
            QWidget* named[] = {option1, option2, option3, text1, text2, text3};
            for (int i = 0; i < 6; ++i)
                named[i]->setObjectName(names[i]);
            day->addItems(
                {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"});
            day->setCurrentIndex(-1);
            picker->setDisplayFormat("HH:mm:ss");
            option7->setChecked(true);
            option3->setChecked(true);
            ScheduleWidgets w{&form,   {},      button,  frame4, bar,    option1, option2,
                              option3, day,     picker,  text1,  text2,  text3,   check1,
                              check2,  option6, option7, &runs,  &closes};
            binding = new ScheduleBinding(
                w, services,
                {[this](const std::string& entry, CloseMethod) {
                     fired.push_back("close " + entry);
                 },
                 [this](const std::string& entry) { fired.push_back("run " + entry); }},
                "Tidewell");
        }

        test::FakeClock clock;
        test::FakeEventPump events{clock};
        test::FakeLocaleText locale;
        test::FakeSettingsStore store;
        test::FakeDialogs dialogs;
        test::FakeLauncher launcher;
        test::FakeProcesses processes;
        test::FakeWindows windows;
        test::FakeAutostart autostart;
        test::FakeClipboard clipboard;
        test::SteppedTimer timer;
        Services services{clock,     locale,  store,     dialogs,   events, launcher,
                          processes, windows, autostart, clipboard, timer};
        QWidget form;
        QRadioButton* option1 = new QRadioButton("Weekly:");
        QRadioButton* option2 = new QRadioButton("Daily:");
        QRadioButton* option3 = new QRadioButton("Every X:");
        QRadioButton* option6 = new QRadioButton("Hard close");
        QRadioButton* option7 = new QRadioButton("Soft close");
        QComboBox* day = new QComboBox;
        QTimeEdit* picker = new QTimeEdit;
        QLineEdit* text1 = new QLineEdit;
        QLineEdit* text2 = new QLineEdit;
        QLineEdit* text3 = new QLineEdit;
        QCheckBox* check1 = new QCheckBox("Enable This Run Feature");
        QCheckBox* check2 = new QCheckBox("Enable This Close Feature");
        QPushButton* button = new QPushButton("Turn On");
        QGroupBox* frame4 = new QGroupBox("Off.");
        QProgressBar* bar = new QProgressBar;
        MemoryListView runs{"ListView1"};
        MemoryListView closes{"ListView2"};
        ScheduleBinding* binding = nullptr;
        std::vector<std::string> fired;
    };

  private slots:
    void assignmentsInCodeRunTheHandlers() {
        Rig rig;
        rig.picker->setTime(QTime(9, 0, 0));
        QCOMPARE(rig.store.value("Weekly Time"), std::string("9:00:00 AM"));
        rig.option2->setChecked(true);
        QCOMPARE(rig.store.value("Option1"), std::string("2"));
        QVERIFY(!rig.day->isEnabled());
        QCOMPARE(rig.binding->countdown().SpanSeconds, 3600);
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
        rig.form.show();
        QTest::mouseClick(rig.option3, Qt::LeftButton, {}, QPoint(6, rig.option3->height() / 2));
        QCOMPARE(rig.store.writes.size(), size_t{1});
        rig.binding->countdown().ElapsedSeconds = 40;
        QTest::mouseClick(rig.option3, Qt::LeftButton, {}, QPoint(6, rig.option3->height() / 2));
        QCOMPARE(rig.binding->countdown().ElapsedSeconds, 0);
        QCOMPARE(rig.store.writes.size(), size_t{2});
    }

    void typingStoresEachKeystrokeAndLeavingRefusesANonNumber() {
        Rig rig;
        rig.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&rig.form));
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
        rig.form.show();
        QTest::mouseClick(rig.button, Qt::LeftButton);
        QCOMPARE(rig.button->text(), QString("Stop"));
        QVERIFY(rig.timer.running());
        rig.timer.tick();
        QCOMPARE(rig.frame4->title(), QString("On. Next run/close will occur in: 00:00:01"));
        QCOMPARE(rig.bar->maximum(), 2);
        QCOMPARE(rig.bar->value(), 1);
        rig.timer.tick();
        QCOMPARE(rig.fired, std::vector<std::string>{"run /usr/bin/true"});

        QTest::mouseClick(rig.button, Qt::LeftButton);
        QCOMPARE(rig.button->text(), QString("Turn On"));
        QCOMPARE(rig.frame4->title(), QString("Off."));
        QCOMPARE(rig.bar->value(), 0);
        QCOMPARE(rig.bar->format(), QString("Progress Bar"));
        QVERIFY(!rig.timer.running());
    }

    void aBarOutsideItsSpanStaysWithinTheWidget() {
        Rig rig;
        rig.picker->setTime(QTime(7, 0, 0)); // already passed at 08:00
        rig.option2->setChecked(true);
        rig.form.show();
        QTest::mouseClick(rig.button, Qt::LeftButton);
        rig.timer.tick();
        QCOMPARE(rig.binding->countdown().SpanSeconds, -3600);
        QCOMPARE(rig.bar->minimum(), 0);
        QCOMPARE(rig.bar->value(), 0);
        QCOMPARE(rig.frame4->title(), QString("On. Next run/close will occur in: "));
    }
};

} // namespace tw

QTEST_MAIN(tw::TestScheduleBinding)
#include "test_schedule_binding.moc"
