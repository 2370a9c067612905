#include "platform/qt/qt_event_pump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

namespace tw {

void QtEventPump::processPending() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtEventPump::waitForEvents(int maxMs) {
    // Sleeps in the kernel until events come or the deadline wakes it, handles what came and
    // returns, so that a caller waiting for something learns of it at once, without polling.
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    deadline.start(maxMs > 0 ? maxMs : 0);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void QtEventPump::waitForEventsOrInput(int descriptor, int maxMs) {
    // The same nested loop, also woken by the descriptor: our window keeps answering while
    // the caller learns of its input at once rather than at the end of a slice.
    QEventLoop loop;
    QSocketNotifier input(static_cast<qintptr>(descriptor), QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &loop, &QEventLoop::quit);
    QTimer::singleShot(maxMs > 0 ? maxMs : 0, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace tw
