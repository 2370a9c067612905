#include "window/controls.h"

namespace tw {

void ControlEvent::raise() const {
    if (handler_)
        handler_();
}

MainWindowControls makeMainWindowControls(ControlMaker& make) {
    return {
        .window = make.window(), // Form1

        .switchButton = make.button("PushButton2"),
        .statusFrame = make.frame("Frame4"),
        .progressBar = make.progress("ProgressBar1"),

        .closeFrame = make.frame("Frame3"),
        .closeEnabled = make.checkBox("Check2"),
        .closeList = make.list("ListView2"),
        .addCloseButton = make.button("PushButton4"),
        .browseCloseButton = make.button("PushButton8"),
        .deleteCloseButton = make.button("PushButton7"),
        .closeNowButton = make.button("PushButton9"),
        .clearCloseButton = make.button("PushButton11"),
        .closeSampleButton = make.button("PushButton12"),

        .closeMethodFrame = make.frame("Frame7"),
        .softClose = make.option("Option7"),
        .hardClose = make.option("Option6"),
        .closeMethodHelpButton = make.button("PushButton10"),

        .startupFrame = make.frame("Frame5"),
        .startWithSession = make.checkBox("Check4"),
        .startInTray = make.checkBox("Check8"),

        .scheduleFrame = make.frame("Frame1"),
        .everyX = make.option("Option3"),
        .hoursLabel = make.label("Label1"),
        .hours = make.edit("Text1"),
        .minutesLabel = make.label("Label2"),
        .minutes = make.edit("Text2"),
        .secondsLabel = make.label("Label3"),
        .seconds = make.edit("Text3"),
        .daily = make.option("Option2"),
        .timePicker = make.timePicker("dtpWeekly"),
        .weekly = make.option("Option1"),
        .dayList = make.combo("cboWeekly"),

        .runFrame = make.frame("Frame2"),
        .runEnabled = make.checkBox("Check1"),
        .runList = make.list("ListView1"),
        .browseRunButton = make.button("PushButton3"),
        .runNowButton = make.button("PushButton1"),
        .deleteRunButton = make.button("PushButton6"),
        .clearRunButton = make.button("PushButton13"),
        .runSampleButton = make.button("PushButton14"),

        .historyFrame = make.frame("Frame6"),
        .history = make.list("ListView3"),
        .copyHistoryButton = make.button("PushButton16"),
        .clearHistoryButton = make.button("PushButton15"),
    };
}

} // namespace tw
