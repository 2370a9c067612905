#include "history/clipboard_helpers.h"

#include "platform/clipboard.h"

namespace tw {

void ClipboardClear(Clipboard& clipboard) {
    for (int attempt = 0; attempt < kClipboardAttempts; ++attempt)
        if (clipboard.tryClear())
            return;
}

bool ClipboardSetText(Clipboard& clipboard, const std::string& text, int format) {
    for (int attempt = 0; attempt < kClipboardAttempts; ++attempt)
        if (clipboard.trySetText(text, format))
            return true;
    return false;
}

} // namespace tw
