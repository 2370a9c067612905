#pragma once

#include <span>
#include <string_view>

namespace tw {

enum class ControlKind {
    Button,
    Frame,
    CheckBox,
    Option,
    Label,
    Edit,
    TimePicker,
    Combo,
    Progress,
    List
};

// One control of the main window: its control name, kind, caption, containing frame
// (nullptr for the client area) and place in twips relative to that container.
struct ControlPlace {
    const char* name;
    ControlKind kind;
    const char* caption;
    const char* frame;
    int left, top, width, height;
    // Lists: one check box per row. Check boxes: hidden at first. Option buttons: selected.
    bool flag = false;
};

// The main window's client area in twips.
inline constexpr int kClientWidthTwips = 15960;
inline constexpr int kClientHeightTwips = 8970;

// Every control in creation order: each frame before what it contains.
std::span<const ControlPlace> mainWindowControls();

// What a screen reader says for a control whose caption does not say it all: the name of a
// box, picker or list that only its neighbours label, and for captions that two frames
// share, which list the control acts on. Both front ends read it from here.
struct ControlSpeech {
    const char* name;        // "" where the caption is the name
    const char* description; // "" where none is needed
};

// The spoken name and description of the control of this control name.
ControlSpeech controlSpeech(std::string_view controlName);

} // namespace tw
