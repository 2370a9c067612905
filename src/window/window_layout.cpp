#include "window/window_layout.h"

namespace tw {

namespace {
using K = ControlKind;

constexpr ControlPlace kControls[] = {
    // Left column.
    {"PushButton2", K::Button, "Turn On", nullptr, 120, 120, 7800, 405},
    {"Frame4", K::Frame, "Off.", nullptr, 120, 585, 7800, 855},
    {"ProgressBar1", K::Progress, "", "Frame4", 240, 285, 7320, 405},
    {"Frame3", K::Frame, "Close Options", nullptr, 120, 1485, 7800, 5460},
    {"Check2", K::CheckBox, "Enable This Close Feature", "Frame3", 240, 300, 2775, 255},
    {"ListView2", K::List, "", "Frame3", 240, 660, 7305, 3105},
    {"PushButton4", K::Button, "Add 'Program To Close' Item", "Frame3", 240, 3850, 3600, 405},
    {"PushButton8", K::Button, "Browse To Exe", "Frame3", 3960, 3850, 3600, 405},
    {"PushButton7", K::Button, "Delete Selected Item", "Frame3", 240, 4360, 3600, 405},
    {"PushButton9", K::Button, "Execute Close Now (Test)", "Frame3", 3960, 4360, 3600, 405},
    {"PushButton11", K::Button, "Clear List", "Frame3", 240, 4870, 3600, 405},
    {"PushButton12", K::Button, "Load Sample/Example Items", "Frame3", 3960, 4870, 3600, 405},
    {"Frame7", K::Frame, "Close Method", nullptr, 120, 7020, 7800, 1020},
    // Soft close is the designed choice.
    {"Option7", K::Option, "Soft close", "Frame7", 240, 300, 1455, 255, true},
    {"Option6", K::Option, "Hard close", "Frame7", 240, 650, 1335, 255},
    {"PushButton10", K::Button, "?", "Frame7", 6840, 300, 720, 345},
    {"Frame5", K::Frame, "Startup Options", nullptr, 120, 8100, 7800, 735},
    {"Check4", K::CheckBox, "Load this software on Windows startup", "Frame5", 240, 300, 3930, 285},
    {"Check8", K::CheckBox, "Minimized to system tray", "Frame5", 4320, 300, 2580, 285, true},
    // Right column.
    {"Frame1", K::Frame, "Run / Close Schedule", nullptr, 8040, 45, 7800, 1710},
    {"Option3", K::Option, "Every X:", "Frame1", 240, 300, 1095, 300, true},
    {"Label1", K::Label, "Hours:", "Frame1", 1440, 330, 555, 300},
    {"Text1", K::Edit, "", "Frame1", 2160, 270, 615, 345},
    {"Label2", K::Label, "Minutes:", "Frame1", 3000, 330, 720, 225},
    {"Text2", K::Edit, "", "Frame1", 3840, 270, 615, 345},
    {"Label3", K::Label, "Seconds:", "Frame1", 4680, 330, 795, 225},
    {"Text3", K::Edit, "", "Frame1", 5640, 270, 615, 345},
    {"Option2", K::Option, "Daily:", "Frame1", 240, 750, 825, 285},
    {"dtpWeekly", K::TimePicker, "", "Frame1", 1320, 720, 1455, 375},
    {"Option1", K::Option, "Weekly:", "Frame1", 240, 1230, 1185, 285},
    {"cboWeekly", K::Combo, "", "Frame1", 1320, 1200, 1455, 345},
    {"Frame2", K::Frame, "Run Options", nullptr, 8040, 1820, 7800, 4230},
    {"Check1", K::CheckBox, "Enable This Run Feature", "Frame2", 240, 300, 4695, 255},
    {"ListView1", K::List, "", "Frame2", 240, 600, 7305, 1935},
    {"PushButton3", K::Button, "Browse To Exe", "Frame2", 240, 2620, 7320, 405},
    {"PushButton1", K::Button, "Execute Run Now (Test)", "Frame2", 240, 3130, 3600, 405},
    {"PushButton6", K::Button, "Delete Selected Item", "Frame2", 3960, 3130, 3600, 405},
    {"PushButton13", K::Button, "Clear List", "Frame2", 240, 3640, 3600, 405},
    {"PushButton14", K::Button, "Load Sample/Example Items", "Frame2", 3960, 3640, 3600, 405},
    {"Frame6", K::Frame, "Log History", nullptr, 8040, 6090, 7800, 2760},
    {"ListView3", K::List, "", "Frame6", 240, 270, 7305, 1845, true},
    {"PushButton16", K::Button, "Copy History To Clipboard", "Frame6", 240, 2200, 3600, 405},
    {"PushButton15", K::Button, "Clear History Log", "Frame6", 3960, 2200, 3600, 405},
};
struct SpeechRow {
    const char* control;
    ControlSpeech speech;
};

constexpr SpeechRow kSpeech[] = {
    {"ProgressBar1", {"Progress to the next run/close", ""}},
    {"ListView2", {"Programs to close", ""}},
    {"PushButton8", {"", "Adds a program to Programs to close"}},
    {"PushButton7", {"", "Deletes the selected row of Programs to close"}},
    {"PushButton11", {"", "Empties Programs to close"}},
    {"PushButton12", {"", "Fills Programs to close with examples"}},
    {"PushButton10", {"Close method help", "Explains soft and hard close"}},
    {"Text1", {"Hours", ""}},
    {"Text2", {"Minutes", ""}},
    {"Text3", {"Seconds", ""}},
    {"dtpWeekly", {"Time of day", "The time of a daily or weekly run/close"}},
    {"cboWeekly", {"Day of the week", "The day of a weekly run/close"}},
    {"ListView1", {"Programs to run", ""}},
    {"PushButton3", {"", "Adds a program to Programs to run"}},
    {"PushButton6", {"", "Deletes the selected row of Programs to run"}},
    {"PushButton13", {"", "Empties Programs to run"}},
    {"PushButton14", {"", "Fills Programs to run with examples"}},
    {"ListView3", {"History", ""}},
};
} // namespace

ControlSpeech controlSpeech(std::string_view controlName) {
    for (const SpeechRow& row : kSpeech)
        if (controlName == row.control)
            return row.speech;
    return {"", ""};
}

std::span<const ControlPlace> mainWindowControls() {
    return kControls;
}

} // namespace tw
