#pragma once

#include <QWidget>

namespace tw {

// The program's one working window.
class MainWindow : public QWidget {
    Q_OBJECT
  public:
    explicit MainWindow(QWidget* parent = nullptr);
};

} // namespace tw
