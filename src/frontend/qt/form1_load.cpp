// Start-up and shutdown of the main window.
#include "core/error_report.h"
#include "core/stored_values.h"
#include "frontend/qt/form1.h"
#include "platform/clock.h"
#include "platform/event_pump.h"
#include "platform/locale_text.h"
#include "platform/qt/blue_q_icon.h"
#include "platform/timer.h"
#include "settings/settings_keys.h"
#include "tray/tray_icon_control.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QTimeEdit>
#include <stdexcept>

namespace tw {

namespace {

// Selects or clears an option button; clearing the selected one of its group must not be
// refused, so that stored values can leave both close methods clear.
void setOptionValue(QRadioButton* option, bool selected) {
    if (option->isChecked() == selected)
        return;
    if (selected) {
        option->setChecked(true);
        return;
    }
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
}

void setCheckValue(QCheckBox* box, int value) {
    if (value == 2)
        box->setTristate(true);
    box->setCheckState(value == 0   ? Qt::Unchecked
                       : value == 1 ? Qt::Checked
                                    : Qt::PartiallyChecked);
}

// The hotspot a .cur file records for its first image; Qt's reader keeps only the picture.
QPoint cursorHotspot(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {-1, -1};
    const QByteArray head = file.read(14);
    if (head.size() < 14 || head[2] != 2) // type 2: cursor
        return {-1, -1};
    const auto u16 = [&](int at) {
        return static_cast<int>(static_cast<unsigned char>(head[at])) |
               static_cast<int>(static_cast<unsigned char>(head[at + 1])) << 8;
    };
    return {u16(10), u16(12)};
}

} // namespace

void Form1::loadHandCursor(const std::string& path) {
    const QString file = QString::fromStdString(path);
    const QPixmap picture(file);
    if (picture.isNull())
        throw std::runtime_error("Invalid picture");
    const QPoint hotspot = cursorHotspot(file);
    customCursor_ = QCursor(picture, hotspot.x(), hotspot.y());
}

void Form1::ApplySkin() {
    if (!FileExists(programFolder + "/" + kSkinFile))
        return;
    // Without a skin engine on this platform the skin restyles nothing; the colour change
    // that goes with it stays.
    const QColor face = palette().color(QPalette::Button);
    auto paint = [&](QWidget* w) {
        QPalette p = w->palette();
        p.setColor(QPalette::Window, face);
        w->setPalette(p);
        w->setAutoFillBackground(true);
    };
    paint(this);
    for (QWidget* w : findChildren<QWidget*>()) {
        if (qobject_cast<QRadioButton*>(w) || qobject_cast<QCheckBox*>(w) ||
            qobject_cast<QGroupBox*>(w) || qobject_cast<QLabel*>(w))
            paint(w);
    }
}

void Form1::Form_Load() {
    GuardedRoutine r(services.dialogs, "Form_Load");
    r.step(100, [&] { ApplySkin(); });
    r.step(102, [&] { IsLoading = true; });
    r.step(104, [&] { setWindowTitle(kProductTitle); });
    r.step(106, [&] { setWindowIcon(programIcon()); });
    r.step(108, [&] { AppTitle = ShortenAppTitle(kProductTitle); });
    r.step(110, [&] {
        const std::string cursor = programFolder + "/" + kHandCursorFile;
        if (FileExists(cursor))
            loadHandCursor(cursor);
    });
    r.step(112, [&] {
        OpenHomePageByChance(services.launcher,
                             homePageRandom ? homePageRandom : seededRandom(services.clock));
    });
    r.step(114, [&] {
        ListView1->addColumn("Program(s) To Run");
        ListView1->setColumnWidth(1, 7000);
    });
    r.step(116, [&] { settings.LoadListItems(*ListView1); });
    r.step(118, [&] {
        ListView2->addColumn("Program(s) To Close");
        ListView2->setColumnWidth(1, 7000);
    });
    r.step(120, [&] {
        ListView3->addColumn("Time");
        ListView3->addColumn("Action");
        ListView3->setColumnWidth(1, 2200);
        ListView3->setColumnWidth(2, 4200);
    });
    r.step(122, [&] { settings.LoadListItems(*ListView2); });
    restoreControls(r);
    r.step(144, [&] { IsLoading = false; });
    // The tray wiring supplies the tray control; without it there is no icon to show.
    r.step(146, [&] {
        if (cSysTray1)
            cSysTray1->setTrayTip(kProductTitle);
    });
    r.step(148, [&] {
        if (cSysTray1)
            cSysTray1->setInTray(true);
    });
}

// Puts every stored choice back into its control; each assignment raises the control's own
// handler, which stores the value again and updates the controls that depend on it.
void Form1::restoreControls(GuardedRoutine& r) {
    const LocaleText& locale = services.locale;
    auto number = [&](const char* key, const char* fallback) {
        return storedNumber(locale, settings.GetSetting(key, fallback));
    };
    if (r.test(124, [&] { return number(keys::kScheduleMode, "1") == 1; }))
        r.step(124, [&] { Option1->setChecked(true); });
    else if (r.test(124, [&] { return number(keys::kScheduleMode, "1") == 2; }))
        r.step(124, [&] { Option2->setChecked(true); });
    else if (r.test(124, [&] { return number(keys::kScheduleMode, "1") == 3; }))
        r.step(124, [&] { Option3->setChecked(true); });

    r.step(126, [&] {
        setCheckValue(Check1,
                      storedCheckValue(locale, settings.GetSetting(keys::kRunEnabled, "1")));
    });
    r.step(128, [&] {
        setCheckValue(Check2,
                      storedCheckValue(locale, settings.GetSetting(keys::kCloseEnabled, "0")));
    });
    r.step(130, [&] { setOptionValue(Option7, number(keys::kSoftClose, "1") == 1); });
    r.step(132, [&] { setOptionValue(Option6, number(keys::kHardClose, "0") == 1); });
    r.step(134, [&] {
        const LocalDateTime now = services.clock.now();
        const std::string text = settings.GetSetting(
            keys::kWeeklyTime, locale.longTime(now.hour, now.minute, now.second));
        const auto when = locale.parseDateTime(text);
        if (!when)
            throw std::runtime_error(kTypeMismatch);
        dtpWeekly->setTime(QTime(when->hour, when->minute, when->second));
    });
    r.step(136, [&] {
        const int index = cboWeekly->findText(
            QString::fromStdString(settings.GetSetting(keys::kWeeklyDay, "Monday")),
            Qt::MatchFixedString | Qt::MatchCaseSensitive);
        if (index < 0)
            throw std::runtime_error(kTextReadOnly);
        cboWeekly->setCurrentIndex(index);
    });
    r.step(138, [&] {
        Text1->setText(QString::fromStdString(settings.GetSetting(keys::kHours, "0")));
        Text2->setText(QString::fromStdString(settings.GetSetting(keys::kMinutes, "30")));
        Text3->setText(QString::fromStdString(settings.GetSetting(keys::kSeconds, "0")));
    });
    r.step(140, [&] {
        Check4->setChecked(settings.GetSetting(keys::kWindowsStartup, "Off") == "On");
        Check8->setChecked(settings.GetSetting(keys::kMinimized, "Off") == "On");
    });
    r.step(142, [&] {
        if (Check4->isChecked()) {
            Check8->setVisible(true);
            if (Check8->isChecked())
                setWindowState(windowState() | Qt::WindowMinimized);
        } else {
            Check8->setVisible(false);
        }
    });
}

void Form1::Form_QueryUnload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    GuardedRoutine r(services.dialogs, "Form_QueryUnload");
    r.step(100, [&] { Timer1.setEnabled(false); });
    r.step(102, [&] {
        if (cSysTray1)
            cSysTray1->setInTray(false);
    });
    r.step(104, [&] {
        services.events.processPending();
        services.events.processPending();
    });
    r.step(106, [&] { settings.SaveListItems(*ListView1); });
    r.step(108, [&] { settings.SaveListItems(*ListView2); });
    r.step(110, [&] {
        services.events.processPending();
        services.events.processPending();
    });
    r.step(112, [&] {
        if (endProgram)
            endProgram();
    });
}

} // namespace tw
