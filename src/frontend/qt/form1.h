#pragma once

#include "close/close_engine.h"
#include "core/main_module.h"
#include "frontend/qt/qt_list_view.h"
#include "history/history_log.h"
#include "platform/services.h"
#include "run/run_file.h"
#include "settings/settings.h"

#include <QCursor>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTimeEdit;

namespace tw {

class CloseListCommands;
class Form1Tray;
class GuardedRoutine;
class HistoryCommands;
class RunListCommands;
class Timer;
class TrayIconControl;

// The program's one working window: every control, the lists, the monitoring timer and
// the tray icon control. The controls carry their control names as object names.
class Form1 : public QWidget {
    Q_OBJECT
  public:
    explicit Form1(Services& services, QWidget* parent = nullptr);
    ~Form1() override;

    // Connects every control to its handlers; called once, before Form_Load.
    void connectHandlers();

    // Start-up: runs once before the window is first shown.
    void Form_Load();
    // Shutdown: runs once for whichever way the window closes, then ends the program.
    void Form_QueryUnload();

    // Shows the window centred on its screen.
    void showCentred();
    // Shows the window in front with the focus, wherever it is; for another start of the
    // program. Needs connectHandlers first.
    void bringBack();

    // True while Form_Load runs.
    bool IsLoading = false;
    // The title of every message box that gives none of its own.
    std::string AppTitle = kProductTitle;

    // Where shutdown ends the program; main() quits the event loop, tests record it.
    std::function<void()> endProgram;
    // The folder that holds the program's optional cursor and skin files.
    std::string programFolder;
    // The draw of the home-page chance; empty means a generator seeded from the clock.
    RandomFraction homePageRandom;

    // Start-up's routines.
    void ApplySkin();
    void loadHandCursor(const std::string& path);

    // Sets the window-wide mouse pointer: the custom one (arrow when none was loaded) or the
    // default arrow.
    void setCustomPointer();
    void setDefaultPointer();
    bool hasCustomCursor() const { return customCursor_.has_value(); }

    Services& services;
    Settings settings;
    // The history log over ListView3, and the launcher and close engine that write to it.
    HistoryLog& history() { return *history_; }
    ProgramLauncher& runner() { return *runner_; }
    CloseEngine& engine() { return *engine_; }

    // Left column.
    QPushButton* PushButton2;
    QGroupBox* Frame4;
    QProgressBar* ProgressBar1;
    QGroupBox* Frame3;
    QCheckBox* Check2;
    QtListView* ListView2;
    QPushButton* PushButton4;
    QPushButton* PushButton8;
    QPushButton* PushButton7;
    QPushButton* PushButton9;
    QPushButton* PushButton11;
    QPushButton* PushButton12;
    QGroupBox* Frame7;
    QRadioButton* Option7;
    QRadioButton* Option6;
    QPushButton* PushButton10;
    QGroupBox* Frame5;
    QCheckBox* Check4;
    QCheckBox* Check8;

    // Right column.
    QGroupBox* Frame1;
    QRadioButton* Option3;
    QLabel* Label1;
    QLineEdit* Text1;
    QLabel* Label2;
    QLineEdit* Text2;
    QLabel* Label3;
    QLineEdit* Text3;
    QRadioButton* Option2;
    QTimeEdit* dtpWeekly;
    QRadioButton* Option1;
    QComboBox* cboWeekly;
    QGroupBox* Frame2;
    QCheckBox* Check1;
    QtListView* ListView1;
    QPushButton* PushButton3;
    QPushButton* PushButton1;
    QPushButton* PushButton6;
    QPushButton* PushButton13;
    QPushButton* PushButton14;
    QGroupBox* Frame6;
    QtListView* ListView3;
    QPushButton* PushButton16;
    QPushButton* PushButton15;

    // Components without a visible part.
    Timer& Timer1;
    // The tray icon; null until the tray wiring supplies one.
    TrayIconControl* cSysTray1 = nullptr;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildLeftColumn();
    void buildRightColumn();
    void installHoverHandlers();
    void restoreControls(GuardedRoutine& routine);
    void storeListOnChange(QtListView* list);

    void connectListCommands();

    std::unique_ptr<HistoryLog> history_;
    std::unique_ptr<ProgramLauncher> runner_;
    std::unique_ptr<CloseEngine> engine_;
    Form1Tray* tray_ = nullptr;
    std::unique_ptr<RunListCommands> runList_;
    std::unique_ptr<CloseListCommands> closeList_;
    std::unique_ptr<HistoryCommands> historyCommands_;
    std::optional<QCursor> customCursor_;
    bool unloaded_ = false;
};

} // namespace tw
