// The smallest Qt program of Tidewell's kind: one window with one button, and a tray icon.
// bench_window measures it beside Tidewell, so that Tidewell's memory is read against what
// Qt itself needs on the same machine in the same run. With --count a label under the
// button counts down once a second, as Tidewell's caption does while monitoring:
// bench_monitoring_cpu measures that beside Tidewell.
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTime>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Floor"));
    window.resize(400, 200);
    QPushButton button(QStringLiteral("Button"), &window);
    button.move(20, 20);

    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter(&picture).fillRect(2, 2, 12, 12, Qt::blue);
    QSystemTrayIcon tray{QIcon(picture)};
    tray.show();

    QTimer everySecond;
    if (app.arguments().contains(QStringLiteral("--count"))) {
        auto* countdown = new QLabel(&window);
        countdown->setGeometry(20, 80, 360, 20);
        QObject::connect(
            &everySecond, &QTimer::timeout, countdown, [countdown, left = 86400]() mutable {
                --left;
                countdown->setText(QStringLiteral("On. Next run/close will occur in: ") +
                                   QTime(0, 0).addSecs(left).toString(QStringLiteral("hh:mm:ss")));
            });
        everySecond.start(1000);
    }

    window.show();
    return QApplication::exec();
}
