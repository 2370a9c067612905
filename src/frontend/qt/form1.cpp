#include "frontend/qt/form1.h"

#include "close/close_list.h"
#include "core/day_names.h"
#include "core/product.h"
#include "history/history_commands.h"
#include "platform/timer.h"
#include "run/run_list.h"
#include "schedule/schedule_model.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimeEdit>

namespace tw {

namespace {

constexpr int kClientWidthTwips = 15960;
constexpr int kClientHeightTwips = 8970;

int px(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// Creates a control of kind W named and placed in twips inside its container.
template <class W, class... Args>
W* place(QWidget* parent, const char* name, int left, int top, int width, int height,
         Args&&... args) {
    auto* w = new W(std::forward<Args>(args)..., parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(px(left), px(top), px(width), px(height));
    return w;
}

QFont windowFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9);
    font.setBold(true);
    return font;
}

QFont buttonFont() {
    QFont font = windowFont();
    font.setPointSizeF(11.25);
    return font;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, int left, int top,
                    int width, int height) {
    auto* b = place<QPushButton>(parent, name, left, top, width, height, QString(caption));
    b->setFont(buttonFont());
    b->setAutoDefault(false);
    return b;
}

QGroupBox* frame(QWidget* parent, const char* name, const char* caption, int left, int top,
                 int width, int height) {
    return place<QGroupBox>(parent, name, left, top, width, height, QString(caption));
}

QtListView* listView(QWidget* parent, const char* name, bool checkBoxes, int left, int top,
                     int width, int height) {
    auto* list = new QtListView(QString::fromLatin1(name), checkBoxes, parent);
    list->setGeometry(px(left), px(top), px(width), px(height));
    return list;
}

} // namespace

Form1::Form1(Services& injected, QWidget* parent)
    : QWidget(parent), services(injected), settings(injected.store), Timer1(injected.monitorTimer) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(kProductTitle));
    // A fixed single border with minimise and close buttons only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(px(kClientWidthTwips), px(kClientHeightTwips));
    setFont(windowFont());
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    // Frames draw their caption on the top border line, so that the controls inside keep
    // their designed places below it.
    setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid #a0a0a0; border-radius: 2px; margin-top: 7px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
        " left: 6px; padding: 0 2px; }"));

    buildLeftColumn();
    buildRightColumn();
    // A style sheet stops the window's font from reaching its children: give it to each.
    for (QWidget* w : findChildren<QWidget*>())
        if (!qobject_cast<QPushButton*>(w))
            w->setFont(windowFont());
    installHoverHandlers();

    history_ = std::make_unique<HistoryLog>(*ListView3, services.clock, services.locale);
    runner_ = std::make_unique<ProgramLauncher>(services.launcher, *history_, services.dialogs);
    engine_ = std::make_unique<CloseEngine>(services.processes, services.windows, services.locale,
                                            *history_);
}

Form1::~Form1() = default;

void Form1::buildLeftColumn() {
    PushButton2 = button(this, "PushButton2", "Turn On", 120, 120, 7800, 405);
    Frame4 = frame(this, "Frame4", "Off.", 120, 585, 7800, 855);
    ProgressBar1 = place<QProgressBar>(Frame4, "ProgressBar1", 240, 285, 7320, 405);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    // The idle text shows while monitoring is off, as switching off sets it again.
    ProgressBar1->setFormat(QString::fromLatin1(kProgressBarIdleText));
    ProgressBar1->setTextVisible(true);

    Frame3 = frame(this, "Frame3", "Close Options", 120, 1485, 7800, 5460);
    Check2 = place<QCheckBox>(Frame3, "Check2", 240, 300, 2775, 255,
                              QStringLiteral("Enable This Close Feature"));
    ListView2 = listView(Frame3, "ListView2", false, 240, 660, 7305, 3105);
    PushButton4 =
        button(Frame3, "PushButton4", "Add 'Program To Close' Item", 240, 3850, 3600, 405);
    PushButton8 = button(Frame3, "PushButton8", "Browse To Exe", 3960, 3850, 3600, 405);
    PushButton7 = button(Frame3, "PushButton7", "Delete Selected Item", 240, 4360, 3600, 405);
    PushButton9 = button(Frame3, "PushButton9", "Execute Close Now (Test)", 3960, 4360, 3600, 405);
    PushButton11 = button(Frame3, "PushButton11", "Clear List", 240, 4870, 3600, 405);
    PushButton12 =
        button(Frame3, "PushButton12", "Load Sample/Example Items", 3960, 4870, 3600, 405);

    Frame7 = frame(this, "Frame7", "Close Method", 120, 7020, 7800, 1020);
    Option7 =
        place<QRadioButton>(Frame7, "Option7", 240, 300, 1455, 255, QStringLiteral("Soft close"));
    Option6 =
        place<QRadioButton>(Frame7, "Option6", 240, 650, 1335, 255, QStringLiteral("Hard close"));
    PushButton10 = button(Frame7, "PushButton10", "?", 6840, 300, 720, 345);
    // Soft close is the designed choice: restoring a stored "1" then changes nothing, so a
    // stored hard close is still read before any click stores the pair again.
    Option7->setChecked(true);

    Frame5 = frame(this, "Frame5", "Startup Options", 120, 8100, 7800, 735);
    Check4 = place<QCheckBox>(Frame5, "Check4", 240, 300, 3930, 285,
                              QStringLiteral("Load this software on Windows startup"));
    Check8 = place<QCheckBox>(Frame5, "Check8", 4320, 300, 2580, 285,
                              QStringLiteral("Minimized to system tray"));
    Check8->setVisible(false);
}

void Form1::buildRightColumn() {
    Frame1 = frame(this, "Frame1", "Run / Close Schedule", 8040, 45, 7800, 1710);
    Option3 =
        place<QRadioButton>(Frame1, "Option3", 240, 300, 1095, 300, QStringLiteral("Every X:"));
    Label1 = place<QLabel>(Frame1, "Label1", 1440, 330, 555, 300, QStringLiteral("Hours:"));
    Text1 = place<QLineEdit>(Frame1, "Text1", 2160, 270, 615, 345);
    Label2 = place<QLabel>(Frame1, "Label2", 3000, 330, 720, 225, QStringLiteral("Minutes:"));
    Text2 = place<QLineEdit>(Frame1, "Text2", 3840, 270, 615, 345);
    Label3 = place<QLabel>(Frame1, "Label3", 4680, 330, 795, 225, QStringLiteral("Seconds:"));
    Text3 = place<QLineEdit>(Frame1, "Text3", 5640, 270, 615, 345);
    Option2 = place<QRadioButton>(Frame1, "Option2", 240, 750, 825, 285, QStringLiteral("Daily:"));
    dtpWeekly = place<QTimeEdit>(Frame1, "dtpWeekly", 1320, 720, 1455, 375);
    dtpWeekly->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    Option1 =
        place<QRadioButton>(Frame1, "Option1", 240, 1230, 1185, 285, QStringLiteral("Weekly:"));
    cboWeekly = place<QComboBox>(Frame1, "cboWeekly", 1320, 1200, 1455, 345);
    for (const char* day : kDayNames)
        cboWeekly->addItem(QString::fromLatin1(day));
    cboWeekly->setCurrentIndex(-1);
    Option3->setChecked(true);

    Frame2 = frame(this, "Frame2", "Run Options", 8040, 1820, 7800, 4230);
    Check1 = place<QCheckBox>(Frame2, "Check1", 240, 300, 4695, 255,
                              QStringLiteral("Enable This Run Feature"));
    ListView1 = listView(Frame2, "ListView1", false, 240, 600, 7305, 1935);
    PushButton3 = button(Frame2, "PushButton3", "Browse To Exe", 240, 2620, 7320, 405);
    PushButton1 = button(Frame2, "PushButton1", "Execute Run Now (Test)", 240, 3130, 3600, 405);
    PushButton6 = button(Frame2, "PushButton6", "Delete Selected Item", 3960, 3130, 3600, 405);
    PushButton13 = button(Frame2, "PushButton13", "Clear List", 240, 3640, 3600, 405);
    PushButton14 =
        button(Frame2, "PushButton14", "Load Sample/Example Items", 3960, 3640, 3600, 405);

    Frame6 = frame(this, "Frame6", "Log History", 8040, 6090, 7800, 2760);
    ListView3 = listView(Frame6, "ListView3", true, 240, 270, 7305, 1845);
    PushButton16 =
        button(Frame6, "PushButton16", "Copy History To Clipboard", 240, 2200, 3600, 405);
    PushButton15 = button(Frame6, "PushButton15", "Clear History Log", 3960, 2200, 3600, 405);
}

void Form1::showCentred() {
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
}

void Form1::closeEvent(QCloseEvent* event) {
    // Closing always ends the program; nothing is asked and nothing cancels it.
    event->accept();
    Form_QueryUnload();
}

} // namespace tw
