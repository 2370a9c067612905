#pragma once

#include <span>

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

} // namespace tw
