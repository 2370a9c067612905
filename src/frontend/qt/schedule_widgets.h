#pragma once

#include <functional>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QGroupBox;
class QLineEdit;
class QProgressBar;
class QRadioButton;
class QWidget;

namespace tw {

class ListView;

// The controls of the main window that the schedule handlers read and write.
struct ScheduleWidgets {
    QWidget* form = nullptr;
    // Puts the window's default mouse pointer back; unsetting the form's cursor when empty.
    std::function<void()> restoreDefaultPointer;
    QAbstractButton* PushButton2 = nullptr;
    QGroupBox* Frame4 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QComboBox* cboWeekly = nullptr;
    QDateTimeEdit* dtpWeekly = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    QRadioButton* Option6 = nullptr; // Hard close
    QRadioButton* Option7 = nullptr; // Soft close
    ListView* ListView1 = nullptr;
    ListView* ListView2 = nullptr;
};

} // namespace tw
