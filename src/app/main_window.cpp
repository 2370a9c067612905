#include "app/main_window.h"

namespace tw {

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
    setObjectName("Form1");
    setWindowTitle("Tidewell");
    resize(1064, 598);
}

} // namespace tw
