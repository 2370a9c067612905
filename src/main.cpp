#include "app/main_window.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace {

// Qt aborts when it cannot reach a display; say what is needed instead.
bool displayReachable() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform)
        return true;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

} // namespace

int main(int argc, char* argv[]) {
    if (!displayReachable()) {
        std::fprintf(stderr, "tidewell: no display found. Tidewell is a desktop program: run it in "
                             "a graphical session (DISPLAY or WAYLAND_DISPLAY set), or use "
                             "'make run', which starts a private X server when none is there.\n");
        return 2;
    }
    QApplication app(argc, argv);
    tw::MainWindow window;
    window.show();
    return QApplication::exec();
}
