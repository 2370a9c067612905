#pragma once

#include "frontend/qt/qt_controls.h"
#include "frontend/qt/qt_list_view.h"
#include "window/controls.h"

#include <QWidget>
#include <functional>
#include <memory>

namespace tw {

// The program's window drawn by Qt: every control of the layout table, named by its control
// name and placed at its twips, with an adapter for each that the shared behaviour drives.
// The window only forwards what happens to it.
class QtMainWindow : public QWidget {
    Q_OBJECT
  public:
    QtMainWindow();
    ~QtMainWindow() override;

    // Every control, to hand to the window's behaviour.
    const MainWindowControls& controls() const { return *controls_; }
    // Where every way of closing the window goes.
    std::function<void()> onClose;

    // Shows the window centred on its screen.
    void showCentred();
    // The control named so, of the given widget kind.
    template <class Widget> Widget& control(const char* name) const;
    bool hasCustomPointer() const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

    // The share of its designed size the window is drawn at (below 1 on a screen it would
    // not fit at its designed size).
    double layoutScale() const { return scale_; }

  private:
    void buildControls();
    // A length of the layout table in this window's pixels.
    int px(int twips) const;
    void onFocusChanged(QWidget* old, QWidget* now);

    struct Adapters;
    std::unique_ptr<Adapters> adapters_;
    std::unique_ptr<MainWindowControls> controls_;
    QMetaObject::Connection focusWatch_;
    double scale_ = 1.0;
};

} // namespace tw

template <class Widget> Widget& tw::QtMainWindow::control(const char* name) const {
    return childNamed<Widget>(*this, name);
}
