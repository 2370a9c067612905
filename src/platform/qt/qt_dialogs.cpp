#include "platform/qt/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QMessageBox>
#include <QSortFilterProxyModel>

namespace tw {

namespace {

// Message texts end lines with CR LF or a lone CR; Qt breaks lines at LF only.
QString displayText(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

// Qt reads a filter's patterns from its last parenthesised group and, with
// HideNameFilterDetails, shows what comes before it: so the description stays as written.
QString nameFilter(const QString& description, const QString& patterns) {
    QString qtPatterns = patterns;
    qtPatterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    return description + QStringLiteral(" (") + qtPatterns + QLatin1Char(')');
}

// While the "programs of any name" choice is in force, shows folders and the files the user
// may execute.
class ProgramsProxy : public QSortFilterProxyModel {
  public:
    bool programsOnly = false;

  protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        if (!programsOnly)
            return true;
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!files)
            return true;
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        return info.isDir() || info.isExecutable();
    }
};

} // namespace

QStringList openFileNameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << nameFilter(parts[i], parts[i + 1]);
    filters << nameFilter(QString::fromLatin1(kAnyProgramChoice), QStringLiteral("*"))
            << nameFilter(QString::fromLatin1(kAllFilesChoice), QStringLiteral("*"));
    return filters;
}

QWidget* QtDialogs::owner() {
    // The program has one window of its own; boxes, balloons and tooltips are of other types.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->windowType() == Qt::Window)
            return window;
    return nullptr;
}

Answer QtDialogs::messageBox(const std::string& text, const std::string& title, Buttons buttons,
                             Icon icon) {
    QMessageBox box(
        icon == Icon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
        QString::fromStdString(title), displayText(text),
        buttons == Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, owner());
    box.setTextFormat(Qt::PlainText);
    const int pressed = box.exec();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return pressed == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

std::string QtDialogs::inputBox(const std::string& prompt, const std::string& title,
                                const std::string& initial) {
    QInputDialog box(owner());
    box.setInputMode(QInputDialog::TextInput);
    box.setWindowTitle(QString::fromStdString(title));
    box.setLabelText(displayText(prompt));
    box.setTextValue(QString::fromStdString(initial));
    if (box.exec() != QDialog::Accepted)
        return {};
    return box.textValue().toStdString();
}

std::string QtDialogs::openFile(const std::string& title, const std::string& filter) {
    QFileDialog dialog(owner(), QString::fromStdString(title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    auto* proxy = new ProgramsProxy;
    dialog.setProxyModel(proxy);
    const QStringList filters = openFileNameFilters(filter);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.first());
    // The dialog names the chosen filter as its list shows it, the details hidden.
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog, [proxy](const QString& chosen) {
            proxy->programsOnly = chosen.startsWith(QString::fromLatin1(kAnyProgramChoice));
            proxy->invalidate();
        });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first().toStdString();
}

} // namespace tw
