// The main window's hover handlers: each only sets the window-wide mouse pointer, which
// every control without a pointer of its own shows.
#include "frontend/qt/form1.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tw {

namespace {
constexpr const char* kPointerProperty = "tidewellPointer";
enum Pointer { DefaultPointer = 1, CustomPointer = 2 };

void watch(QWidget* widget, Pointer pointer, QObject* filter) {
    widget->setMouseTracking(true);
    widget->setProperty(kPointerProperty, static_cast<int>(pointer));
    widget->installEventFilter(filter);
}
} // namespace

void Form1::setCustomPointer() {
    setCursor(customCursor_ ? *customCursor_ : QCursor(Qt::ArrowCursor));
}

void Form1::setDefaultPointer() {
    setCursor(Qt::ArrowCursor);
}

void Form1::installHoverHandlers() {
    for (QPushButton* b : findChildren<QPushButton*>())
        watch(b, CustomPointer, this);
    watch(this, DefaultPointer, this);
    for (QGroupBox* f : findChildren<QGroupBox*>())
        watch(f, DefaultPointer, this);
    // A list's mouse moves arrive at its viewport.
    watch(ListView1->viewport(), DefaultPointer, this);
    watch(ListView2->viewport(), DefaultPointer, this);
    watch(Label1, DefaultPointer, this);
    watch(Text2, DefaultPointer, this);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        const int pointer = watched->property(kPointerProperty).toInt();
        if (pointer == CustomPointer)
            setCustomPointer();
        else if (pointer == DefaultPointer)
            setDefaultPointer();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tw
