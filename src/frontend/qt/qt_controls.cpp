#include "frontend/qt/qt_controls.h"

#include "platform/qt/blue_q_icon.h"
#include "window/access_keys.h"

#include <QEvent>
#include <QFile>
#include <QPixmap>
#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace tw {

namespace {

QString qstr(const std::string& text) {
    return QString::fromStdString(text);
}

class PointerForwarder : public QObject {
  public:
    PointerForwarder(QWidget& widget, Control& control) : QObject(&widget), control_(control) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter)
            control_.pointerMoved.raise();
        return QObject::eventFilter(watched, event);
    }

  private:
    Control& control_;
};

// The hotspot a .cur file records for its first image; Qt's reader keeps only the picture.
QPoint cursorHotspot(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {-1, -1};
    const QByteArray head = file.read(14);
    if (head.size() < 14 || head[2] != 2) // type 2: cursor
        return {-1, -1};
    const auto u16 = [&](int at) {
        return static_cast<int>(static_cast<unsigned char>(head[at])) |
               static_cast<int>(static_cast<unsigned char>(head[at + 1])) << 8;
    };
    return {u16(10), u16(12)};
}

} // namespace

void forwardPointer(QWidget& widget, Control& control) {
    widget.setMouseTracking(true);
    widget.installEventFilter(new PointerForwarder(widget, control));
}

QtPushButton::QtPushButton(const QWidget& window, const char* name) : QtControl(window, name) {
    on(&QPushButton::clicked, [this] { clicked.raise(); });
}

std::string QtPushButton::caption() const {
    return plainCaption(widget_.text().toStdString());
}

void QtPushButton::setCaption(const std::string& caption) {
    widget_.setText(qstr(shownCaption(caption)));
}

QtCheckBox::QtCheckBox(const QWidget& window, const char* name) : QtControl(window, name) {
    on(&QCheckBox::stateChanged, [this](int state) {
        // Greyed only while the value is 2: a click on a checked box clears it, and on a
        // clear box checks it, never greys it.
        if (state != Qt::PartiallyChecked)
            widget_.setTristate(false);
        changed.raise();
    });
}

int QtCheckBox::value() const {
    switch (widget_.checkState()) {
    case Qt::Unchecked:
        return 0;
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        break;
    }
    return 2;
}

void QtCheckBox::setValue(int value) {
    if (value < 0 || value > 2)
        throw std::invalid_argument("Invalid property value");
    if (value == 2)
        widget_.setTristate(true);
    widget_.setCheckState(value == 0   ? Qt::Unchecked
                          : value == 1 ? Qt::Checked
                                       : Qt::PartiallyChecked);
}

QtOptionButton::QtOptionButton(const QWidget& window, const char* name) : QtControl(window, name) {
    // Selected by hand or in code: clicked once. Clicked by hand while already selected: also
    // clicked, which restarts the Every X count.
    on(&QAbstractButton::pressed, [this] { selectedByThisPress_ = false; });
    on(&QAbstractButton::toggled, [this](bool on) {
        if (!on)
            return;
        selectedByThisPress_ = true;
        clicked.raise();
    });
    on(&QAbstractButton::clicked, [this] {
        if (!selectedByThisPress_)
            clicked.raise();
        selectedByThisPress_ = false;
    });
}

void QtOptionButton::setSelected(bool selected) {
    if (widget_.isChecked() == selected)
        return;
    if (selected) {
        widget_.setChecked(true);
        return;
    }
    // Clearing the selected option of a group must not be refused, so that stored values
    // can leave both close methods clear.
    widget_.setAutoExclusive(false);
    widget_.setChecked(false);
    widget_.setAutoExclusive(true);
}

QtTextBox::QtTextBox(const QWidget& window, const char* name) : QtControl(window, name) {
    on(&QLineEdit::textChanged, [this] { changed.raise(); });
}

void QtTextBox::setText(const std::string& text) {
    widget_.setText(qstr(text));
}

QtTimePicker::QtTimePicker(const QWidget& window, const char* name) : QtControl(window, name) {
    on(&QDateTimeEdit::dateTimeChanged, [this] { changed.raise(); });
}

TimeOfDay QtTimePicker::time() const {
    const QTime t = widget_.time();
    return {t.hour(), t.minute(), t.second()};
}

void QtTimePicker::setTime(const TimeOfDay& time) {
    widget_.setTime(QTime(time.hour, time.minute, time.second));
}

QtDropDownList::QtDropDownList(const QWidget& window, const char* name) : QtControl(window, name) {
    on(&QComboBox::currentTextChanged, [this] { changed.raise(); });
}

std::string QtDropDownList::text() const {
    return widget_.currentIndex() < 0 ? std::string() : widget_.currentText().toStdString();
}

bool QtDropDownList::choose(const std::string& text) {
    const int index = widget_.findText(qstr(text), Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (index < 0)
        return false;
    widget_.setCurrentIndex(index);
    return true;
}

void QtProgressBar::setProgress(int position, int maximum) {
    // Set every second while monitoring, even with the window in the tray. A hidden bar is
    // left alone (the next tick after it shows draws it); a shown one is counted in its own
    // pixels, so that it is touched, and its text measured again, only when its drawn
    // length changes.
    if (!widget_.isVisible())
        return;
    const int pixels = std::max(widget_.width(), 1);
    const int shown = static_cast<int>(static_cast<std::int64_t>(position) * pixels / maximum);
    if (widget_.minimum() != 0 || widget_.maximum() != pixels)
        widget_.setRange(0, pixels);
    if (widget_.value() != shown)
        widget_.setValue(shown);
}

void QtProgressBar::setText(const std::string& text) {
    widget_.setFormat(qstr(text));
}

void QtFrameCaption::setText(const std::string& text) {
    QGroupBox& frame = widget_;
    const QString title = qstr(markAccessKey(text, '\0'));
    if (frame.title() == title)
        return;
    const bool updating = frame.updatesEnabled();
    frame.setAttribute(Qt::WA_UpdatesDisabled, true);
    frame.setTitle(title);
    frame.setAttribute(Qt::WA_UpdatesDisabled, !updating);
    const QRect inside = frame.childrenRect();
    frame.update(0, 0, frame.width(), inside.isNull() ? frame.height() : inside.top());
}

void QtLabelCaption::setText(const std::string& text) {
    widget_.setText(qstr(shownCaption(text)));
}

QtWindowControl::QtWindowControl(QWidget& window) : window_(window) {
    forwardPointer(window, *this);
}

void QtWindowControl::setTitle(const std::string& title) {
    window_.setWindowTitle(qstr(title));
}

void QtWindowControl::showProgramIcon() {
    window_.setWindowIcon(programIcon());
}

bool QtWindowControl::isMinimised() const {
    return window_.isMinimized() && !normalWhenShown_;
}

void QtWindowControl::minimise() {
    window_.setWindowState(window_.windowState() | Qt::WindowMinimized);
}

void QtWindowControl::setNormalState() {
    if (window_.isVisible())
        window_.setWindowState(window_.windowState() & ~Qt::WindowMinimized);
    else
        normalWhenShown_ = true;
}

void QtWindowControl::showAndActivate() {
    normalWhenShown_ = false;
    // Shown first and un-minimised after, the way the window manager expects a minimised
    // window to come back.
    window_.setWindowState(window_.windowState() & ~Qt::WindowMinimized);
    window_.show();
    window_.raise();
    window_.activateWindow();
}

void QtWindowControl::loadCustomPointer(const std::string& path) {
    const QString file = qstr(path);
    const QPixmap picture(file);
    if (picture.isNull())
        throw std::runtime_error("Invalid picture");
    const QPoint hotspot = cursorHotspot(file);
    customPointer_ = QCursor(picture, hotspot.x(), hotspot.y());
}

void QtWindowControl::setPointer(Pointer pointer) {
    if (pointer == Pointer::Custom && customPointer_)
        window_.setCursor(*customPointer_);
    else
        window_.setCursor(Qt::ArrowCursor);
}

void QtWindowControl::applySkinColours() {
    // Without a skin engine on this platform the skin restyles nothing; the colour change
    // that goes with it stays.
    const QColor face = window_.palette().color(QPalette::Button);
    auto paint = [&](QWidget* w) {
        QPalette p = w->palette();
        p.setColor(QPalette::Window, face);
        w->setPalette(p);
        w->setAutoFillBackground(true);
    };
    paint(&window_);
    for (QWidget* w : window_.findChildren<QWidget*>()) {
        if (qobject_cast<QRadioButton*>(w) || qobject_cast<QCheckBox*>(w) ||
            qobject_cast<QGroupBox*>(w) || qobject_cast<QLabel*>(w))
            paint(w);
    }
}

} // namespace tw
