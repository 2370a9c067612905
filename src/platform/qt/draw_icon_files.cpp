// Writes the program's icon as the PNG files of a desktop icon theme, drawn by the same code
// as the window's and the tray's icon: <folder>/<n>x<n>/apps/<name>.png for each size n.
// Usage: draw_icon_files <folder> <name> <size>...
#include "platform/qt/blue_q_icon.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <string>

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s folder name size...\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication app(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int size = std::stoi(argv[i]);
        const QString apps = QString("%1/%2x%2/apps").arg(folder).arg(size);
        const QString file = apps + "/" + name + ".png";
        if (!QDir().mkpath(apps) || !tw::drawBlueQ(size).save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
