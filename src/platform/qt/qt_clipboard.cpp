#include "platform/qt/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace tw {

namespace {

// Format numbers of the plain-text kinds (ANSI, OEM and Unicode text); 0 means plain text.
bool isPlainText(int format) {
    return format == 0 || format == 1 || format == 7 || format == 13;
}

QClipboard* clipboard() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance())
               ? QGuiApplication::clipboard()
               : nullptr;
}

} // namespace

bool QtClipboard::tryClear() {
    QClipboard* board = clipboard();
    if (!board)
        return false;
    board->clear(QClipboard::Clipboard);
    return true;
}

bool QtClipboard::trySetText(const std::string& text, int format) {
    QClipboard* board = clipboard();
    if (!board)
        return false;
    if (isPlainText(format)) {
        board->setText(QString::fromStdString(text), QClipboard::Clipboard);
        return true;
    }
    // Any other format travels under a type of its own, as the raw bytes.
    auto* data = new QMimeData;
    data->setData(QStringLiteral("application/x-clipboard-format-%1").arg(format),
                  QByteArray::fromStdString(text));
    board->setMimeData(data, QClipboard::Clipboard);
    return true;
}

} // namespace tw
