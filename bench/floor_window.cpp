// The smallest Qt program of Tidewell's kind: one window with one button, and a tray icon.
// bench_window measures it beside Tidewell, so that Tidewell's memory is read against what
// Qt itself needs on the same machine in the same run.
#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSystemTrayIcon>
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

    window.show();
    return QApplication::exec();
}
