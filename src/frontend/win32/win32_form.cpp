#include "frontend/win32/win32_form.h"

namespace tw {

Win32Form::Win32Form(HINSTANCE instance) : window_(instance) {}

MainWindowControls Win32Form::controls() {
    return MainWindowControls{
        window_,          switchButton_,     statusFrame_,      progressBar_,
        closeFrame_,      closeEnabled_,     closeList_,        addClose_,
        browseClose_,     deleteClose_,      closeNow_,         clearClose_,
        closeSample_,     closeMethodFrame_, softClose_,        hardClose_,
        closeMethodHelp_, startupFrame_,     startWithSession_, startInTray_,
        scheduleFrame_,   everyX_,           hoursLabel_,       hours_,
        minutesLabel_,    minutes_,          secondsLabel_,     seconds_,
        daily_,           timePicker_,       weekly_,           dayList_,
        runFrame_,        runEnabled_,       runList_,          browseRun_,
        runNow_,          deleteRun_,        clearRun_,         runSample_,
        historyFrame_,    history_,          copyHistory_,      clearHistory_,
    };
}

} // namespace tw
