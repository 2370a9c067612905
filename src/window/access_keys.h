#pragma once

#include "window/window_layout.h"

#include <string>
#include <string_view>

namespace tw {

// Alt+letter on a caption: which letter each caption of the window takes, and the text a
// toolkit is given to underline it. Toolkits mark the letter with a '&' before it and show a
// literal '&' written twice; the window's behaviour, the settings and the history only ever
// see the plain caption.

// The access key of a caption (a lower-case letter), or '\0' for a caption that has none
// (frame titles, "?", the status line).
char accessKey(std::string_view caption);

// The caption as a toolkit is given it: every '&' doubled and a '&' before the first
// occurrence of key, in either case. A key the caption does not contain marks nothing.
std::string markAccessKey(std::string_view caption, char key);

// markAccessKey with the caption's own key from the table.
std::string shownCaption(std::string_view caption);

// The caption a control of the layout is created with: frame titles take no key.
std::string shownCaption(const ControlPlace& place);

// The plain caption back from what a toolkit was given: a single '&' dropped, a doubled
// one kept once.
std::string plainCaption(std::string_view shown);

} // namespace tw
