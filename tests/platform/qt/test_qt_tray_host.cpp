// The Qt notification area's pictures and clicks, as the tray icon control takes them.
#include "platform/qt/blue_q_icon.h"
#include "platform/qt/qt_picture.h"
#include "platform/qt/qt_tray_host.h"
#include "tray/tray_icon.h"
#include "tray/tray_icon_rig.h"

#include <QtTest>

namespace tw {

class TestQtTrayHost : public QObject {
    Q_OBJECT

    using Rig = test::ListeningTrayRig;

  private slots:
    void qtPicturesSayWhatTheyHold() {
        const PicturePtr icon = QtPicture::icon(blueQIcon());
        QCOMPARE(icon->type(), PictureType::Icon);
        QCOMPARE(QtPicture::icon(QIcon())->type(), PictureType::None);

        Rig r;
        r.tray.setTrayIcon(icon);
        r.tray.setTrayIcon(QtPicture::icon(QIcon()));
        QCOMPARE(r.tray.trayIcon(), icon);
    }

    void theBlueQIsSixteenPixelsAndBlue() {
        const QImage image = drawBlueQ(16).toImage();
        QCOMPARE(image.size(), QSize(16, 16));
        int blue = 0;
        int clear = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.alpha() == 0)
                    ++clear;
                else if (c.alpha() > 200 && c.blue() > 2 * c.red() && c.blue() > c.green())
                    ++blue;
            }
        QVERIFY2(blue >= 30, qPrintable(QString::number(blue)));
        QVERIFY(clear >= 100);
        // The inside of the Q stays see-through.
        QCOMPARE(image.pixelColor(7, 7).alpha(), 0);
        QVERIFY(blueQIcon().availableSizes().contains(QSize(16, 16)));
    }

    void clicksBecomeButtonEvents_data() {
        QTest::addColumn<int>("activation");
        QTest::addColumn<QStringList>("heard");
        QTest::newRow("left click")
            << int(QSystemTrayIcon::Trigger) << QStringList{"Down 1 0", "Up 1 0"};
        QTest::newRow("right click")
            << int(QSystemTrayIcon::Context) << QStringList{"Down 2 0", "Up 2 0"};
        QTest::newRow("double click")
            << int(QSystemTrayIcon::DoubleClick) << QStringList{"DblClick 1 0"};
        QTest::newRow("middle click") << int(QSystemTrayIcon::MiddleClick) << QStringList{};
        QTest::newRow("unknown") << int(QSystemTrayIcon::Unknown) << QStringList{};
    }

    void clicksBecomeButtonEvents() {
        QFETCH(int, activation);
        QFETCH(QStringList, heard);
        Rig r;
        for (TrayNotification n :
             notificationsFor(static_cast<QSystemTrayIcon::ActivationReason>(activation)))
            r.host.notify(n);
        QStringList got;
        for (const auto& h : r.heard)
            got << QString::fromStdString(h);
        QCOMPARE(got, heard);
    }
};

} // namespace tw

QTEST_MAIN(tw::TestQtTrayHost)
#include "test_qt_tray_host.moc"
