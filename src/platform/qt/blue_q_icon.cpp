#include "platform/qt/blue_q_icon.h"

#include "app_identity.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>

namespace tw {

QPixmap drawBlueQ(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 16-unit grid so every size keeps the shape of the 16x16 tray icon.
    painter.scale(size / 16.0, size / 16.0);
    const QColor blue(0x1f, 0x4f, 0xd8);
    QPen ring(blue, 2.4);
    ring.setCapStyle(Qt::RoundCap);
    painter.setPen(ring);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(2.2, 1.2, 11.0, 11.6));
    QPen tail(blue, 2.6);
    tail.setCapStyle(Qt::RoundCap);
    painter.setPen(tail);
    painter.drawLine(QPointF(9.2, 9.8), QPointF(14.2, 14.6));
    return pixmap;
}

QIcon blueQIcon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64})
        icon.addPixmap(drawBlueQ(size));
    return icon;
}

QIcon programIcon() {
    const QString name = QStringLiteral(TIDEWELL_APP_ID);
    // Looking the name up reads the index of every icon theme in the chain, a tenth of the
    // start-up: it is only worth it where the program was installed with its icon. Elsewhere
    // the same drawing is at hand. Both the window and the tray ask.
    static const bool installed = QFileInfo::exists(
        QCoreApplication::applicationDirPath() +
        QStringLiteral("/../share/icons/hicolor/scalable/apps/") + name + QStringLiteral(".svg"));
    return installed ? QIcon::fromTheme(name, blueQIcon()) : blueQIcon();
}

} // namespace tw
