// The clipboard helpers over Qt's clipboard on a real X server, read back with xclip.
#include "history/clipboard_helpers.h"
#include "platform/qt/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <gtest/gtest.h>

using namespace tw;

namespace {

// What another program reads from the clipboard; our event loop serves its request.
QString clipboardAsOthersSeeIt() {
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"),
                {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard")});
    while (!xclip.waitForFinished(10))
        QCoreApplication::processEvents();
    return QString::fromUtf8(xclip.readAllStandardOutput());
}

TEST(QtClipboard, TextReachesOtherProgramsAndClearEmptiesIt) {
    QtClipboard clipboard;
    const std::string text = "12/7/2026 8:00:00 AM\tRun file /usr/bin/xedit \xc3\xa9\r\n";
    EXPECT_TRUE(putTextOnClipboard(clipboard, text, 0));
    EXPECT_EQ(clipboardAsOthersSeeIt().toStdString(), text);
    clearClipboard(clipboard);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
}

TEST(QtClipboard, OtherFormatsTravelUnderTheirOwnType) {
    QtClipboard clipboard;
    EXPECT_TRUE(clipboard.trySetText("raw", 49161));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data(QStringLiteral("application/x-clipboard-format-49161")), "raw");
}

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Before there is an application, every attempt fails rather than crashing.
    QtClipboard early;
    if (early.tryClear() || early.trySetText("x", 0)) {
        std::fprintf(stderr, "clipboard attempts succeeded without an application\n");
        return 1;
    }
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
