#pragma once

#include <string>

namespace tw {

class Clipboard;

// Each helper tries this many times in all while another program holds the clipboard.
inline constexpr int kClipboardAttempts = 1000;

// Empties the clipboard, retrying while it is busy; a clipboard that stays busy is left as it is.
void clearClipboard(Clipboard& clipboard);
// Places the text (format 0: plain text), retrying while the clipboard is busy; true when placed.
bool putTextOnClipboard(Clipboard& clipboard, const std::string& text, int format);

} // namespace tw
