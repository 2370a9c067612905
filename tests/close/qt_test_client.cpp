// A small Qt program for the close tests, native on Wayland or an X client, as
// QT_QPA_PLATFORM says. Usage: qt_test_client [--ask]
// It shows one window and prints "ready" once it is on screen and "asked" for each close
// request. Without --ask it closes and exits; with --ask it stays and opens a question
// "Save changes?" as an editor with unsaved work does, prints "question shown", and
// "question asked" if anything but its user asks the question to close.
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>
#include <cstring>

namespace {

void say(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

class Question : public QDialog {
  public:
    explicit Question(QWidget* parent) : QDialog(parent) {
        setWindowTitle("Save changes?");
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel("Save changes before closing?"));
    }

  protected:
    void showEvent(QShowEvent* event) override {
        QDialog::showEvent(event);
        QTimer::singleShot(0, [] { say("question shown"); });
    }
    void closeEvent(QCloseEvent* event) override {
        say("question asked");
        QDialog::closeEvent(event);
    }
};

class Editor : public QWidget {
  public:
    explicit Editor(bool ask) : ask_(ask) {
        setWindowTitle("tidewell test editor");
        resize(240, 120);
    }

  protected:
    void showEvent(QShowEvent* event) override {
        QWidget::showEvent(event);
        QTimer::singleShot(0, [] { say("ready"); });
    }
    void closeEvent(QCloseEvent* event) override {
        say("asked");
        if (!ask_)
            return event->accept();
        event->ignore();
        if (!question_) {
            question_ = new Question(this);
            question_->show();
        }
    }

  private:
    bool ask_;
    Question* question_ = nullptr;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool ask = argc > 1 && !std::strcmp(argv[1], "--ask");
    Editor editor(ask);
    editor.show();
    return QApplication::exec();
}
