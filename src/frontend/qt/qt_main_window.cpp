#include "frontend/qt/qt_main_window.h"

#include "core/day_names.h"
#include "core/product.h"
#include "frontend/qt/named_combo_accessible.h"
#include "frontend/qt/qt_list_view.h"
#include "platform/qt/caption_on_frame_style.h"
#include "schedule/schedule_model.h"
#include "window/access_keys.h"
#include "window/window_layout.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <map>

namespace tw {

namespace {

// Room the window manager's title bar and borders take around the window, at most.
const QMargins kFrameAllowance{8, 40, 8, 8};

// The share of its designed size the window is drawn at: 1, or less on a screen whose free
// area the window would not fit (a 1366 x 768 laptop at 150 %), so that every control stays
// on the screen and within reach.
double fittingScale(const QScreen* screen) {
    if (!screen)
        return 1.0;
    const QRect free = screen->availableGeometry().marginsRemoved(kFrameAllowance);
    const double across = static_cast<double>(free.width()) * kTwipsPerPixel / kClientWidthTwips;
    const double down = static_cast<double>(free.height()) * kTwipsPerPixel / kClientHeightTwips;
    return std::clamp(std::min(across, down), 0.5, 1.0);
}

QFont windowFont(double scale) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9 * scale);
    font.setBold(true);
    return font;
}

QFont buttonFont(double scale) {
    QFont font = windowFont(scale);
    font.setPointSizeF(11.25 * scale);
    return font;
}

// The widget of one row of the layout table, with its caption and first state.
QWidget* createControl(const ControlPlace& place, QWidget* parent, double scale) {
    const QString caption = QString::fromStdString(shownCaption(place));
    switch (place.kind) {
    case ControlKind::Button: {
        auto* button = new QPushButton(caption, parent);
        button->setFont(buttonFont(scale));
        button->setAutoDefault(false);
        return button;
    }
    case ControlKind::Frame:
        return new QGroupBox(caption, parent);
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(caption, parent);
        box->setVisible(!place.flag);
        return box;
    }
    case ControlKind::Option: {
        auto* option = new QRadioButton(caption, parent);
        option->setChecked(place.flag);
        return option;
    }
    case ControlKind::Label:
        return new QLabel(caption, parent);
    case ControlKind::Edit:
        return new QLineEdit(parent);
    case ControlKind::TimePicker: {
        auto* picker = new QTimeEdit(parent);
        picker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
        return picker;
    }
    case ControlKind::Combo: {
        auto* days = new QComboBox(parent);
        for (const char* day : kDayNames)
            days->addItem(QString::fromLatin1(day));
        days->setCurrentIndex(-1);
        return days;
    }
    case ControlKind::Progress: {
        auto* bar = new QProgressBar(parent);
        bar->setRange(0, 100);
        bar->setValue(0);
        // The idle text shows while monitoring is off, as switching off sets it again.
        bar->setFormat(QString::fromLatin1(kProgressBarIdleText));
        bar->setTextVisible(true);
        return bar;
    }
    case ControlKind::List:
        break;
    }
    auto* list = new QtListView(QString::fromLatin1(place.name), place.flag, parent);
    list->setLayoutScale(scale);
    return list;
}

} // namespace

// Makes the adapter of each control over the widget of its control name.
struct QtMainWindow::Adapters : ControlMaker {
    explicit Adapters(QWidget& mainWindow) : owner(mainWindow), windowControl(mainWindow) {}

    WindowControl& window() override { return windowControl; }
    PushButton& button(const char* name) override { return keep<QtPushButton>(owner, name); }
    Caption& frame(const char* name) override { return keep<QtFrameCaption>(owner, name); }
    Caption& label(const char* name) override { return keep<QtLabelCaption>(owner, name); }
    CheckBox& checkBox(const char* name) override { return keep<QtCheckBox>(owner, name); }
    OptionButton& option(const char* name) override { return keep<QtOptionButton>(owner, name); }
    TextBox& edit(const char* name) override {
        return *textBoxes.emplace_back(&keep<QtTextBox>(owner, name));
    }
    TimePicker& timePicker(const char* name) override { return keep<QtTimePicker>(owner, name); }
    DropDownList& combo(const char* name) override { return keep<QtDropDownList>(owner, name); }
    ProgressBar& progress(const char* name) override { return keep<QtProgressBar>(owner, name); }
    // The list widgets adapt themselves.
    ListControl& list(const char* name) override { return childNamed<QtListView>(owner, name); }

    QWidget& owner;
    QtWindowControl windowControl;
    // The boxes whose keyboard focus leaving is reported.
    std::vector<QtTextBox*> textBoxes;
};

QtMainWindow::QtMainWindow() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(kProductTitle));
    // A fixed single border with minimise and close buttons only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    scale_ = fittingScale(screen());
    setFixedSize(px(kClientWidthTwips), px(kClientHeightTwips));
    setFont(windowFont(scale_));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    // A line box lays its text out in the application's font before it takes its window's.
    // Building the controls while that font is the window's spares loading the desktop's
    // default face (about 200 kB) that nothing in this window shows.
    const QFont desktopFont = QApplication::font();
    QApplication::setFont(font());
    buildControls();
    QApplication::setFont(desktopFont);

    adapters_ = std::make_unique<Adapters>(*this);
    controls_ = std::make_unique<MainWindowControls>(makeMainWindowControls(*adapters_));
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        focusWatch_ =
            connect(app, &QApplication::focusChanged, this, &QtMainWindow::onFocusChanged);
}

QtMainWindow::~QtMainWindow() {
    // The base class closes the window as it goes, which moves the focus: stop listening
    // before the adapters go.
    disconnect(focusWatch_);
}

void QtMainWindow::buildControls() {
    static const bool comboNamesSpoken = [] {
        QAccessible::installFactory(namedComboAccessible);
        return true;
    }();
    (void)comboNamesSpoken;
    std::map<std::string, QWidget*> frames;
    QLabel* label = nullptr;
    for (const ControlPlace& place : mainWindowControls()) {
        QWidget* parent = place.frame ? frames.at(place.frame) : this;
        QWidget* control = createControl(place, parent, scale_);
        // A label's access key takes the focus to the box that follows it.
        if (label)
            label->setBuddy(control);
        label = qobject_cast<QLabel*>(control);
        control->setObjectName(QString::fromLatin1(place.name));
        control->setGeometry(px(place.left), px(place.top), px(place.width), px(place.height));
        const ControlSpeech speech = controlSpeech(place.name);
        if (*speech.name)
            control->setAccessibleName(QString::fromUtf8(speech.name));
        if (*speech.description)
            control->setAccessibleDescription(QString::fromUtf8(speech.description));
        if (place.kind == ControlKind::Frame) {
            // Frames draw their caption on the top border line, so that the controls inside
            // keep their designed places below it.
            control->setStyle(captionOnFrameStyle());
            frames[place.name] = control;
        }
    }
}

int QtMainWindow::px(int twips) const {
    return static_cast<int>(std::lround(twips * scale_ / kTwipsPerPixel));
}

bool QtMainWindow::hasCustomPointer() const {
    return adapters_->windowControl.hasCustomPointer();
}

void QtMainWindow::showCentred() {
    if (const QScreen* screen = this->screen()) {
        // Before its first showing the window manager has not framed the window yet: centre
        // it with room for a frame, so that a window sized to fit the screen stays on it.
        QRect frame = frameGeometry();
        if (frame == geometry())
            frame = frame.marginsAdded(kFrameAllowance);
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
}

void QtMainWindow::closeEvent(QCloseEvent* event) {
    // Closing always ends the program; nothing is asked and nothing cancels it.
    event->accept();
    if (onClose)
        onClose();
}

void QtMainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        // Hiding the window inside its own state change confuses the window manager, and
        // the handler may wait for its balloon: report it once the change is done.
        QTimer::singleShot(0, this, [this] { adapters_->windowControl.stateChanged.raise(); });
    }
    QWidget::changeEvent(event);
}

void QtMainWindow::onFocusChanged(QWidget* old, QWidget* now) {
    // Only a move to another control of the same window counts as leaving a box: not the
    // box a check itself shows, nor switching to another window.
    if (!old || !now || old->window() != now->window())
        return;
    for (QtTextBox* box : adapters_->textBoxes)
        if (&box->widget() == old)
            box->lostFocus.raise();
}

} // namespace tw
