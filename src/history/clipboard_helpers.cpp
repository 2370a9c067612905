#include "history/clipboard_helpers.h"

#include "platform/clipboard.h"

namespace tw {

void clearClipboard(Clipboard& clipboard) {
    for (int attempt = 0; attempt < kClipboardAttempts; ++attempt)
        if (clipboard.tryClear())
            return;
}

bool putTextOnClipboard(Clipboard& clipboard, const std::string& text, int format) {
    for (int attempt = 0; attempt < kClipboardAttempts; ++attempt)
        if (clipboard.trySetText(text, format))
            return true;
    return false;
}

} // namespace tw
