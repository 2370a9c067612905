// The adapter contract suite over the Qt window, on Qt's offscreen platform.
#include "frontend/contract/control_contract.h"
#include "frontend/qt/qt_main_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

namespace tw::test {

namespace {

void startApplication() {
    static int argc = 1;
    static char name[] = "test_control_contract";
    static char* argv[] = {name, nullptr};
    // Kept to the end of the process: the windows' fonts and styles outlive the tests.
    static auto* application = new QApplication(argc, argv);
    (void)application;
}

class QtContractWindow : public ContractWindow {
  public:
    QtContractWindow() {
        form_.show();
        // Active, as the keyboard focus moves only inside the active window.
        form_.activateWindow();
        if (!QTest::qWaitForWindowActive(&form_))
            throw std::runtime_error("the window was not shown");
    }
    const MainWindowControls& controls() override { return form_.controls(); }
    void click(const char* name) override {
        auto& button = form_.control<QAbstractButton>(name);
        // A check box or option button takes clicks on its mark and caption only: aim at
        // the mark.
        const bool marked = qobject_cast<QPushButton*>(&button) == nullptr;
        QTest::mouseClick(&button, Qt::LeftButton, {},
                          marked ? QPoint(8, button.height() / 2) : button.rect().center());
    }
    void type(const char* name, const std::string& keys) override {
        QTest::keyClicks(&form_.control<QLineEdit>(name), QString::fromStdString(keys));
    }

    void pressDelete(const char* name) override {
        QTest::keyClick(&form_.control<QWidget>(name), Qt::Key_Delete);
    }

  private:
    QtMainWindow form_;
};

} // namespace

std::unique_ptr<ContractWindow> makeContractWindow() {
    startApplication();
    return std::make_unique<QtContractWindow>();
}

} // namespace tw::test
