// The frame style drawn for real: the caption sits on the frame's top line and interrupts
// it, and the line runs on around it.
#include "platform/qt/caption_on_frame_style.h"

#include <QGroupBox>
#include <QImage>
#include <QStyleOptionGroupBox>
#include <QtTest>

using namespace tw;

class TestCaptionOnFrameStyle : public QObject {
    Q_OBJECT

  private slots:
    void theCaptionSitsOnTheTopLine() {
        QWidget window;
        QPalette white = window.palette();
        white.setColor(QPalette::Window, Qt::white);
        window.setPalette(white);
        window.setAutoFillBackground(true);
        window.resize(300, 120);
        auto* box = new QGroupBox(QStringLiteral("Close Options"), &window);
        box->setGeometry(10, 10, 280, 100);
        box->setStyle(captionOnFrameStyle());
        const QImage image = window.grab().toImage();

        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        const QRect caption =
            box->style()
                ->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box)
                .translated(box->pos());
        const int line = box->y() + CaptionOnFrameStyle::kLineTop;
        QVERIFY(caption.top() <= line && caption.bottom() >= line);
        const auto grey = [&](int x, int y) { return image.pixelColor(x, y) != Qt::white; };
        // The line: before and after the caption, down the sides and along the bottom.
        QVERIFY(grey(box->x() + 3, line));
        QVERIFY(grey(caption.right() + 5, line));
        QVERIFY(grey(box->x(), line + 40));
        QVERIFY(grey(box->geometry().right(), line + 40));
        QVERIFY(grey(box->x() + 100, box->geometry().bottom()));
        QVERIFY(!grey(box->x() + 100, line + 1));   // nothing drawn inside
        QVERIFY(!grey(box->x() + 3, box->y() + 2)); // nor above the line
        // The caption interrupts the line: a blank before its text, and its text drawn.
        QVERIFY(!grey(caption.left(), line));
        int inked = 0;
        for (int x = caption.left(); x <= caption.right(); ++x)
            for (int y = caption.top(); y <= caption.bottom(); ++y)
                inked += image.pixelColor(x, y).lightness() < 128;
        QVERIFY2(inked > 20, qPrintable(QString::number(inked)));
    }
};

QTEST_MAIN(TestCaptionOnFrameStyle)
#include "test_caption_on_frame_style.moc"
