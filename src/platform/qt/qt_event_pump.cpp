#include "platform/qt/qt_event_pump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace tw {

void QtEventPump::processPending() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtEventPump::waitForEvents(int maxMs) {
    // A nested loop that sleeps in the kernel until an event or the deadline arrives.
    QEventLoop loop;
    QTimer::singleShot(maxMs > 0 ? maxMs : 0, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace tw
