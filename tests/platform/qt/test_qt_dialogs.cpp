#include "platform/qt/qt_dialogs.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace tw;

namespace {

// Acts on the modal dialog once it is up.
void whenShown(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog) {
            whenShown(act);
            return;
        }
        act(dialog);
    });
}

} // namespace

class TestQtDialogs : public QObject {
    Q_OBJECT
  private slots:
    void messageBoxShowsTextTitleButtonsAndIcon();
    void inputBoxReturnsTheTextOrNothingOnCancel();
    void openFileShowsTheChoicesAndReturnsTheFullPath();
    void anyProgramChoiceShowsExecutableFilesOnly();
};

void TestQtDialogs::messageBoxShowsTextTitleButtonsAndIcon() {
    QtDialogs dialogs;
    QString seenText;
    QString seenTitle;
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    whenShown([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        QVERIFY(box);
        seenText = box->text();
        seenTitle = box->windowTitle();
        seenIcon = box->icon();
        QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        box->button(QMessageBox::Yes)->click();
    });
    QCOMPARE(dialogs.messageBox("one\r\ntwo\rthree", "Tidewell", Buttons::YesNo, Icon::None),
             Answer::Yes);
    QCOMPARE(seenText, QString("one\ntwo\nthree"));
    QCOMPARE(seenTitle, QString("Tidewell"));
    QCOMPARE(seenIcon, QMessageBox::NoIcon);

    whenShown([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        QCOMPARE(box->standardButtons(), QMessageBox::Ok);
        seenIcon = box->icon();
        box->button(QMessageBox::Ok)->click();
    });
    QCOMPARE(dialogs.messageBox("x", "Application Error", Buttons::Ok, Icon::Warning), Answer::Ok);
    QCOMPARE(seenIcon, QMessageBox::Warning);
}

void TestQtDialogs::inputBoxReturnsTheTextOrNothingOnCancel() {
    QtDialogs dialogs;
    whenShown([](QWidget* w) {
        auto* box = qobject_cast<QInputDialog*>(w);
        QCOMPARE(box->labelText(), QString("Enter exe name or windows title here"));
        QCOMPARE(box->windowTitle(), QString("Program(s) To Close"));
        box->setTextValue(" notepad.exe ");
        box->accept();
    });
    QCOMPARE(dialogs.inputBox("Enter exe name or windows title here", "Program(s) To Close", ""),
             std::string(" notepad.exe "));
    whenShown([](QWidget* w) {
        auto* box = qobject_cast<QInputDialog*>(w);
        box->setTextValue("typed");
        box->reject();
    });
    QCOMPARE(dialogs.inputBox("p", "t", ""), std::string());
}

void TestQtDialogs::openFileShowsTheChoicesAndReturnsTheFullPath() {
    QTemporaryDir folder;
    QFile program(folder.filePath("runme"));
    QVERIFY(program.open(QIODevice::WriteOnly));
    program.close();
    program.setPermissions(program.permissions() | QFileDevice::ExeUser);

    QtDialogs dialogs;
    QStringList shown;
    QString title;
    whenShown([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        QVERIFY(dialog);
        title = dialog->windowTitle();
        auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
        QVERIFY(types);
        for (int i = 0; i < types->count(); ++i)
            shown << types->itemText(i);
        dialog->setDirectory(folder.path());
        dialog->selectFile(folder.filePath("runme"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const std::string chosen = dialogs.openFile(
        "Select EXE file", "Executable Files (*.exe)|*.exe|Batch Files (*.bat;*.com)|*.bat;*.com");
    QCOMPARE(title, QString("Select EXE file"));
    QCOMPARE(shown, QStringList({"Executable Files (*.exe)", "Batch Files (*.bat;*.com)",
                                 "Programs of any name", "All Files"}));
    QCOMPARE(QString::fromStdString(chosen), folder.filePath("runme"));

    whenShown([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    QCOMPARE(dialogs.openFile("Select EXE file", "Executable Files (*.exe)|*.exe|"), std::string());
}

void TestQtDialogs::anyProgramChoiceShowsExecutableFilesOnly() {
    QTemporaryDir folder;
    QFile program(folder.filePath("runme"));
    QVERIFY(program.open(QIODevice::WriteOnly));
    program.close();
    program.setPermissions(program.permissions() | QFileDevice::ExeUser);
    QFile notes(folder.filePath("notes.txt"));
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.close();

    QtDialogs dialogs;
    QStringList anyProgram;
    QStringList allFiles;
    whenShown([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        auto* view = dialog->findChild<QAbstractItemView*>("listView");
        QVERIFY(view);
        dialog->setDirectory(folder.path());
        const auto names = [view] {
            QStringList out;
            for (int r = 0; r < view->model()->rowCount(view->rootIndex()); ++r)
                out << view->model()->index(r, 0, view->rootIndex()).data().toString();
            out.sort();
            return out;
        };
        // As the user picks a choice from the list of file types.
        auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
        const auto choose = [types](int index) {
            types->setCurrentIndex(index);
            emit types->activated(index);
            emit types->textActivated(types->itemText(index));
        };
        choose(1);
        QTRY_COMPARE(names(), QStringList({"runme"}));
        anyProgram = names();
        choose(2);
        QTRY_COMPARE(names(), QStringList({"notes.txt", "runme"}));
        allFiles = names();
        dialog->reject();
    });
    dialogs.openFile("Select EXE file", "Executable Files (*.exe)|*.exe|");
    QCOMPARE(anyProgram, QStringList({"runme"}));
    QCOMPARE(allFiles, QStringList({"notes.txt", "runme"}));
}

QTEST_MAIN(TestQtDialogs)
#include "test_qt_dialogs.moc"
