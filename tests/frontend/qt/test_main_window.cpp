#include "core/error_report.h"
#include "platform/linux/unix_signals.h"
#include "platform/qt/qt_dialogs.h"
#include "window/access_keys.h"
#include "window_rig.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QtTest>
#include <csignal>

using namespace tw;

namespace {

struct Placed {
    const char* name;
    const char* parent;
    int left, top, width, height;
    const char* caption;
};

// The designed window, in twips.
const Placed kControls[] = {
    {"PushButton2", "Form1", 120, 120, 7800, 405, "Turn On"},
    {"Frame4", "Form1", 120, 585, 7800, 855, "Off."},
    {"ProgressBar1", "Frame4", 240, 285, 7320, 405, nullptr},
    {"Frame3", "Form1", 120, 1485, 7800, 5460, "Close Options"},
    {"Check2", "Frame3", 240, 300, 2775, 255, "Enable This Close Feature"},
    {"ListView2", "Frame3", 240, 660, 7305, 3105, nullptr},
    {"PushButton4", "Frame3", 240, 3850, 3600, 405, "Add 'Program To Close' Item"},
    {"PushButton8", "Frame3", 3960, 3850, 3600, 405, "Browse To Exe"},
    {"PushButton7", "Frame3", 240, 4360, 3600, 405, "Delete Selected Item"},
    {"PushButton9", "Frame3", 3960, 4360, 3600, 405, "Execute Close Now (Test)"},
    {"PushButton11", "Frame3", 240, 4870, 3600, 405, "Clear List"},
    {"PushButton12", "Frame3", 3960, 4870, 3600, 405, "Load Sample/Example Items"},
    {"Frame7", "Form1", 120, 7020, 7800, 1020, "Close Method"},
    {"Option7", "Frame7", 240, 300, 1455, 255, "Soft close"},
    {"Option6", "Frame7", 240, 650, 1335, 255, "Hard close"},
    {"PushButton10", "Frame7", 6840, 300, 720, 345, "?"},
    {"Frame5", "Form1", 120, 8100, 7800, 735, "Startup Options"},
    {"Check4", "Frame5", 240, 300, 3930, 285, "Load this software on Windows startup"},
    {"Check8", "Frame5", 4320, 300, 2580, 285, "Minimized to system tray"},
    {"Frame1", "Form1", 8040, 45, 7800, 1710, "Run / Close Schedule"},
    {"Option3", "Frame1", 240, 300, 1095, 300, "Every X:"},
    {"Label1", "Frame1", 1440, 330, 555, 300, "Hours:"},
    {"Text1", "Frame1", 2160, 270, 615, 345, ""},
    {"Label2", "Frame1", 3000, 330, 720, 225, "Minutes:"},
    {"Text2", "Frame1", 3840, 270, 615, 345, ""},
    {"Label3", "Frame1", 4680, 330, 795, 225, "Seconds:"},
    {"Text3", "Frame1", 5640, 270, 615, 345, ""},
    {"Option2", "Frame1", 240, 750, 825, 285, "Daily:"},
    {"dtpWeekly", "Frame1", 1320, 720, 1455, 375, nullptr},
    {"Option1", "Frame1", 240, 1230, 1185, 285, "Weekly:"},
    {"cboWeekly", "Frame1", 1320, 1200, 1455, 345, nullptr},
    {"Frame2", "Form1", 8040, 1820, 7800, 4230, "Run Options"},
    {"Check1", "Frame2", 240, 300, 4695, 255, "Enable This Run Feature"},
    {"ListView1", "Frame2", 240, 600, 7305, 1935, nullptr},
    {"PushButton3", "Frame2", 240, 2620, 7320, 405, "Browse To Exe"},
    {"PushButton1", "Frame2", 240, 3130, 3600, 405, "Execute Run Now (Test)"},
    {"PushButton6", "Frame2", 3960, 3130, 3600, 405, "Delete Selected Item"},
    {"PushButton13", "Frame2", 240, 3640, 3600, 405, "Clear List"},
    {"PushButton14", "Frame2", 3960, 3640, 3600, 405, "Load Sample/Example Items"},
    {"Frame6", "Form1", 8040, 6090, 7800, 2760, "Log History"},
    {"ListView3", "Frame6", 240, 270, 7305, 1845, nullptr},
    {"PushButton16", "Frame6", 240, 2200, 3600, 405, "Copy History To Clipboard"},
    {"PushButton15", "Frame6", 3960, 2200, 3600, 405, "Clear History Log"},
};

int px(int twips) {
    return (twips + 7) / 15;
}

// The caption without the mark of its access key.
QString captionOf(QWidget* w) {
    const auto plain = [](const QString& shown) {
        return QString::fromStdString(plainCaption(shown.toStdString()));
    };
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return plain(b->text());
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return plain(g->title());
    if (auto* l = qobject_cast<QLabel*>(w))
        return plain(l->text());
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    return {};
}

QString header(const QtListView& list, int column) {
    return list.model()->headerData(column, Qt::Horizontal).toString();
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
  private slots:
    void everyControlHasItsNamePlaceAndCaption();
    void windowIsFixedWhiteAndBold();
    void listsAndBarShowWhatStartUpSets();
    void barIsCountedInItsPixels();
    void closingTheWindowShutsDownOnce();
    void cursorFileGivesTheButtonsItsPointer();
    void skinFileTurnsTheBackgroundToTheButtonFace();
    void openFileFiltersKeepTheChoicesAndAddTwo();
    void terminationSignalsRunTheHandler();
    void historyKeepsTheNewestHundredThousandRows();
};

void TestMainWindow::everyControlHasItsNamePlaceAndCaption() {
    test::WindowRig rig;
    for (const Placed& c : kControls) {
        auto* w = rig.form->findChild<QWidget*>(c.name);
        QVERIFY2(w, c.name);
        QCOMPARE(w->parentWidget()->objectName(), QString(c.parent));
        QCOMPARE(w->geometry(), QRect(px(c.left), px(c.top), px(c.width), px(c.height)));
        if (c.caption)
            QCOMPARE(captionOf(w), QString(c.caption));
    }
    QCOMPARE(rig.form->findChildren<QPushButton*>().size(), 15);
    QCOMPARE(rig.form->findChildren<QGroupBox*>().size(), 7);
    QStringList days;
    for (int i = 0; i < rig.form->control<QComboBox>("cboWeekly").count(); ++i)
        days << rig.form->control<QComboBox>("cboWeekly").itemText(i);
    QCOMPARE(days, QStringList({"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday",
                                "Saturday"}));
    QVERIFY(rig.form->control<QRadioButton>("Option3").isChecked());
    QVERIFY(rig.form->control<QRadioButton>("Option7").isChecked());
    QVERIFY(rig.form->control<QCheckBox>("Check8").isHidden());
    QCOMPARE(rig.form->control<QTimeEdit>("dtpWeekly").displayFormat(), QString("HH:mm:ss"));
}

void TestMainWindow::windowIsFixedWhiteAndBold() {
    test::WindowRig rig;
    QtMainWindow& f = *rig.form;
    QCOMPARE(f.size(), QSize(1064, 598));
    QCOMPARE(f.minimumSize(), f.maximumSize());
    QVERIFY(f.windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(f.windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!(f.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(f.palette().color(QPalette::Window), QColor(Qt::white));
    QCOMPARE(f.control<QGroupBox>("Frame3").palette().color(QPalette::Window), QColor(Qt::white));
    QCOMPARE(f.font().family(), QString("Arial"));
    QVERIFY(f.font().bold());
    QCOMPARE(f.font().pointSizeF(), 9.0);
    QCOMPARE(f.control<QPushButton>("PushButton2").font().pointSizeF(), 11.25);
    QVERIFY(f.control<QPushButton>("PushButton2").font().bold());
    QCOMPARE(f.control<QtListView>("ListView3").font().pointSizeF(), 9.0);
    QCOMPARE(f.control<QTimeEdit>("dtpWeekly").font().pointSizeF(), 9.0);
}

// What the behaviour sets at start-up (tests/window), as the Qt lists and bar show it.
void TestMainWindow::listsAndBarShowWhatStartUpSets() {
    test::WindowRig rig;
    QtMainWindow& f = rig.load();
    QCOMPARE(header(f.control<QtListView>("ListView1"), 0), QString("Program(s) To Run"));
    QCOMPARE(f.control<QtListView>("ListView1").QTreeView::columnWidth(0), 7000 / 15);
    QCOMPARE(header(f.control<QtListView>("ListView2"), 0), QString("Program(s) To Close"));
    QCOMPARE(header(f.control<QtListView>("ListView3"), 0), QString("Time"));
    QCOMPARE(header(f.control<QtListView>("ListView3"), 1), QString("Action"));
    QCOMPARE(f.control<QtListView>("ListView3").QTreeView::columnWidth(0), 2200 / 15);
    QCOMPARE(f.control<QtListView>("ListView3").QTreeView::columnWidth(1), 4200 / 15);
    QVERIFY(f.control<QProgressBar>("ProgressBar1").isTextVisible());
    QCOMPARE(f.control<QProgressBar>("ProgressBar1").text(), QString("Progress Bar"));
}

// The bar is counted in its own pixels, so that it is redrawn only when its length changes.
void TestMainWindow::barIsCountedInItsPixels() {
    test::WindowRig rig;
    QtMainWindow& f = rig.load();
    auto& bar = f.control<QProgressBar>("ProgressBar1");
    f.control<QLineEdit>("Text1").setText("0");
    f.control<QLineEdit>("Text2").setText("0");
    f.control<QLineEdit>("Text3").setText("2");
    f.control<QRadioButton>("Option3").setChecked(true);
    f.show();
    QTest::mouseClick(&f.control<QPushButton>("PushButton2"), Qt::LeftButton);
    rig.timer.tick();
    // One second of two: the bar is drawn half full.
    QCOMPARE(bar.minimum(), 0);
    QCOMPARE(bar.maximum(), bar.width());
    QCOMPARE(bar.value(), bar.width() / 2);
    QTest::mouseClick(&f.control<QPushButton>("PushButton2"), Qt::LeftButton);
    QCOMPARE(bar.value(), 0);
    QCOMPARE(bar.format(), QString("Progress Bar"));
}

void TestMainWindow::closingTheWindowShutsDownOnce() {
    test::WindowRig rig;
    QtMainWindow& f = rig.load();
    rig.timer.setEnabled(true);
    f.close();
    QVERIFY(!rig.timer.isEnabled());
    QCOMPARE(rig.ends, 1);
    rig.window->close();
    QCOMPARE(rig.ends, 1);
}

// A real cursor file: Qt reads its picture, and the pointer events of the widgets reach the
// hover table (tests/window).
void TestMainWindow::cursorFileGivesTheButtonsItsPointer() {
    QTemporaryDir folder;
    QImage hand(32, 32, QImage::Format_ARGB32);
    hand.fill(Qt::red);
    const bool written = hand.save(folder.filePath("HAND-M.CUR"), "cur");
    QVERIFY(written);
    test::WindowRig rig(folder.path().toStdString());
    QtMainWindow& f = rig.load();
    QVERIFY(rig.dialogs.boxes.empty());
    QVERIFY(f.hasCustomPointer());

    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(&f.control<QPushButton>("PushButton2"), &enter);
    QCOMPARE(f.cursor().shape(), Qt::BitmapCursor);
    QApplication::sendEvent(&f.control<QGroupBox>("Frame4"), &enter);
    QCOMPARE(f.cursor().shape(), Qt::ArrowCursor);
    QApplication::sendEvent(&f.control<QPushButton>("PushButton9"), &enter);
    QCOMPARE(f.cursor().shape(), Qt::BitmapCursor);
    QApplication::sendEvent(f.control<QtListView>("ListView1").viewport(), &enter);
    QCOMPARE(f.cursor().shape(), Qt::ArrowCursor);
}

void TestMainWindow::skinFileTurnsTheBackgroundToTheButtonFace() {
    QTemporaryDir folder;
    test::WindowRig plain(folder.path().toStdString());
    plain.load();
    QCOMPARE(plain.form->palette().color(QPalette::Window), QColor(Qt::white));

    QDir(folder.path()).mkpath("x");
    QFile skin(folder.filePath("x/o.cjs"));
    QVERIFY(skin.open(QIODevice::WriteOnly));
    skin.close();
    test::WindowRig rig(folder.path().toStdString());
    QtMainWindow& f = rig.load();
    const QColor face = f.palette().color(QPalette::Button);
    QCOMPARE(f.palette().color(QPalette::Window), face);
    QCOMPARE(f.control<QRadioButton>("Option7").palette().color(QPalette::Window), face);
    QCOMPARE(f.control<QLabel>("Label2").palette().color(QPalette::Window), face);
    QCOMPARE(f.control<QGroupBox>("Frame6").palette().color(QPalette::Window), face);
    QVERIFY(rig.dialogs.boxes.empty());
}

void TestMainWindow::openFileFiltersKeepTheChoicesAndAddTwo() {
    QCOMPARE(
        openFileNameFilters("Executable Files (*.exe)|*.exe|Batch Files "
                            "(*.bat;*.com)|*.bat;*.com"),
        QStringList({"Executable Files (*.exe) (*.exe)", "Batch Files (*.bat;*.com) (*.bat *.com)",
                     "Programs of any name (*)", "All Files (*)"}));
    QCOMPARE(openFileNameFilters("Executable Files (*.exe)|*.exe|"),
             QStringList({"Executable Files (*.exe) (*.exe)", "Programs of any name (*)",
                          "All Files (*)"}));
}

void TestMainWindow::terminationSignalsRunTheHandler() {
    for (const int s : {SIGTERM, SIGINT, SIGHUP}) {
        int calls = 0;
        UnixSignals handler;
        handler.setHandler([&] { ++calls; });
        std::raise(s);
        QTRY_COMPARE(calls, 1);
    }
}

// The real history list at its limit: each new row pushes out the oldest, check marks and the
// selection stay with their rows, and a check set the way a click sets it is read back.
void TestMainWindow::historyKeepsTheNewestHundredThousandRows() {
    test::WindowRig rig;
    QtMainWindow& f = rig.load();
    QtListView& log = f.control<QtListView>("ListView3");
    for (int i = 1; i <= kHistoryRowLimit; ++i)
        rig.window->history().add("Run file " + std::to_string(i));
    log.setChecked(2, true);
    log.model()->setData(log.model()->index(3, 0), Qt::Checked, Qt::CheckStateRole);
    log.select(4);
    rig.window->history().add("Close file newest");
    QCOMPARE(log.count(), kHistoryRowLimit);
    QCOMPARE(log.subItem(1, 1), std::string("Run file 2"));
    QVERIFY(log.checked(1) && log.checked(3) && !log.checked(2));
    QCOMPARE(log.selectedIndex(), 3);
    QCOMPARE(log.subItem(kHistoryRowLimit, 1), std::string("Close file newest"));
    QCOMPARE(log.text(kHistoryRowLimit), std::string("12/7/2026 8:00:00 AM"));
    QCOMPARE(log.subItem(kHistoryRowLimit, 2), std::string());
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
