#pragma once

#include "core/day_names.h"
#include "frontend/win32/win32_controls.h"
#include "frontend/win32/win32_list_view.h"
#include "frontend/win32/win32_window.h"

namespace tw {

// The main window with an adapter for each of its controls, ready to hand to the window's
// behaviour.
class Win32Form {
  public:
    explicit Win32Form(HINSTANCE instance);

    Win32Window& window() { return window_; }
    MainWindowControls controls();

  private:
    Win32Window window_;
    Win32PushButton switchButton_{window_, "PushButton2"};
    Win32Caption statusFrame_{window_, "Frame4"};
    Win32ProgressBar progressBar_{window_, "ProgressBar1"};
    Win32Caption closeFrame_{window_, "Frame3"};
    Win32CheckBox closeEnabled_{window_, "Check2"};
    Win32ListView closeList_{window_, "ListView2"};
    Win32PushButton addClose_{window_, "PushButton4"};
    Win32PushButton browseClose_{window_, "PushButton8"};
    Win32PushButton deleteClose_{window_, "PushButton7"};
    Win32PushButton closeNow_{window_, "PushButton9"};
    Win32PushButton clearClose_{window_, "PushButton11"};
    Win32PushButton closeSample_{window_, "PushButton12"};
    Win32Caption closeMethodFrame_{window_, "Frame7"};
    Win32OptionButton softClose_{window_, "Option7"};
    Win32OptionButton hardClose_{window_, "Option6"};
    Win32PushButton closeMethodHelp_{window_, "PushButton10"};
    Win32Caption startupFrame_{window_, "Frame5"};
    Win32CheckBox startWithSession_{window_, "Check4"};
    Win32CheckBox startInTray_{window_, "Check8"};
    Win32Caption scheduleFrame_{window_, "Frame1"};
    Win32OptionButton everyX_{window_, "Option3"};
    Win32Caption hoursLabel_{window_, "Label1"};
    Win32TextBox hours_{window_, "Text1"};
    Win32Caption minutesLabel_{window_, "Label2"};
    Win32TextBox minutes_{window_, "Text2"};
    Win32Caption secondsLabel_{window_, "Label3"};
    Win32TextBox seconds_{window_, "Text3"};
    Win32OptionButton daily_{window_, "Option2"};
    Win32TimePicker timePicker_{window_, "dtpWeekly"};
    Win32OptionButton weekly_{window_, "Option1"};
    Win32DropDownList dayList_{window_, "cboWeekly", {kDayNames.begin(), kDayNames.end()}};
    Win32Caption runFrame_{window_, "Frame2"};
    Win32CheckBox runEnabled_{window_, "Check1"};
    Win32ListView runList_{window_, "ListView1"};
    Win32PushButton browseRun_{window_, "PushButton3"};
    Win32PushButton runNow_{window_, "PushButton1"};
    Win32PushButton deleteRun_{window_, "PushButton6"};
    Win32PushButton clearRun_{window_, "PushButton13"};
    Win32PushButton runSample_{window_, "PushButton14"};
    Win32Caption historyFrame_{window_, "Frame6"};
    Win32ListView history_{window_, "ListView3"};
    Win32PushButton copyHistory_{window_, "PushButton16"};
    Win32PushButton clearHistory_{window_, "PushButton15"};
};

} // namespace tw
