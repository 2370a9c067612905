#pragma once

#include "window/window_layout.h"

#include <windows.h>

namespace tw {

// Answers a control's WM_GETOBJECT request for its client object, lParam given: the system's
// standard object for the control, with the role its kind plays, the name a screen reader
// says (the speech table's, else the caption without its access-key mark) and the speech
// table's description. Returns 0, for the default handling, for any other object or when no
// standard object could be made.
LRESULT answerAccessibleObject(HWND control, ControlKind kind, const ControlSpeech& speech,
                               WPARAM wParam, LPARAM lParam);

} // namespace tw
