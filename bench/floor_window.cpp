// The smallest Qt program of Tidewell's kind: one window with one button, and a tray icon.
// bench_window measures it beside Tidewell, so that Tidewell's memory is read against what
// Qt itself needs on the same machine in the same run. With --count a label under the
// button counts down once a second, as Tidewell's caption does while monitoring; with
// --controls too, the countdown is the title of the frame that holds the progress bar, as in
// Tidewell's window: bench_monitoring_cpu measures that beside Tidewell. With --controls the window
// instead holds plain Qt widgets of the kinds, places, captions and font of Tidewell's window, its
// two program lists with 100 rows each, and no behaviour at all: what Qt itself needs to show that
// window, against which bench_window reads Tidewell's start-up.
#include "core/day_names.h"
#include "core/product.h"
#include "window/window_layout.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTime>
#include <QTimeEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QWidget>
#include <functional>
#include <map>
#include <string>

namespace {

constexpr int kRows = 100;

int px(int twips) {
    return twips / tw::kTwipsPerPixel;
}

QWidget* plainWidget(const tw::ControlPlace& place, QWidget* parent) {
    const QString caption = QString::fromUtf8(place.caption ? place.caption : "");
    switch (place.kind) {
    case tw::ControlKind::Button:
        return new QPushButton(caption, parent);
    case tw::ControlKind::Frame:
        return new QGroupBox(caption, parent);
    case tw::ControlKind::CheckBox:
        return new QCheckBox(caption, parent);
    case tw::ControlKind::Option:
        return new QRadioButton(caption, parent);
    case tw::ControlKind::Label:
        return new QLabel(caption, parent);
    case tw::ControlKind::Edit:
        return new QLineEdit(parent);
    case tw::ControlKind::TimePicker:
        return new QTimeEdit(parent);
    case tw::ControlKind::Combo: {
        auto* days = new QComboBox(parent);
        for (const char* day : tw::kDayNames)
            days->addItem(QString::fromLatin1(day));
        return days;
    }
    case tw::ControlKind::Progress:
        return new QProgressBar(parent);
    case tw::ControlKind::List:
        break;
    }
    auto* list = new QTreeWidget(parent);
    list->setRootIsDecorated(false);
    list->setHeaderLabels({QStringLiteral("Program")});
    return list;
}

// The frame that holds the progress bar, whose title Tidewell's countdown is.
QGroupBox* statusFrame = nullptr;

void addControls(QWidget& window) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9);
    font.setBold(true);
    window.setFont(font);
    window.setFixedSize(px(tw::kClientWidthTwips), px(tw::kClientHeightTwips));
    std::map<std::string, QWidget*> frames;
    int listsFilled = 0;
    for (const tw::ControlPlace& place : tw::mainWindowControls()) {
        QWidget* control = plainWidget(place, place.frame ? frames.at(place.frame) : &window);
        control->setGeometry(px(place.left), px(place.top), px(place.width), px(place.height));
        if (place.kind == tw::ControlKind::Frame)
            frames[place.name] = control;
        if (place.kind == tw::ControlKind::Progress)
            statusFrame = qobject_cast<QGroupBox*>(control->parentWidget());
        // The two program lists, as bench_window fills Tidewell's.
        if (auto* list = qobject_cast<QTreeWidget*>(control); list && listsFilled < 2) {
            ++listsFilled;
            for (int row = 1; row <= kRows; ++row)
                new QTreeWidgetItem(list,
                                    {QStringLiteral("program-%1").arg(row, 3, 10, QChar('0'))});
        }
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Floor"));
    if (app.arguments().contains(QStringLiteral("--controls"))) {
        addControls(window);
    } else {
        window.resize(400, 200);
        auto* button = new QPushButton(QStringLiteral("Button"), &window);
        button->move(20, 20);
    }

    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter(&picture).fillRect(2, 2, 12, 12, Qt::blue);
    QSystemTrayIcon tray{QIcon(picture)};
    tray.show();

    QTimer everySecond;
    if (app.arguments().contains(QStringLiteral("--count"))) {
        std::function<void(const QString&)> show;
        if (statusFrame) {
            show = [](const QString& text) { statusFrame->setTitle(text); };
            // Clear of Tidewell's window, which is centred on a screen wide enough for both.
            window.move(0, 0);
        } else {
            auto* countdown = new QLabel(&window);
            countdown->setGeometry(20, 80, 360, 20);
            show = [countdown](const QString& text) { countdown->setText(text); };
            // In the top right corner, clear of the other two windows.
            if (const QScreen* screen = QGuiApplication::primaryScreen())
                window.move(screen->availableGeometry().right() - window.width(), 0);
        }
        QObject::connect(&everySecond, &QTimer::timeout, [show, left = 86400]() mutable {
            --left;
            show(QStringLiteral("On. Next run/close will occur in: ") +
                 QTime(0, 0).addSecs(left).toString(QStringLiteral("hh:mm:ss")));
        });
        everySecond.start(1000);
    }

    window.show();
    return QApplication::exec();
}
