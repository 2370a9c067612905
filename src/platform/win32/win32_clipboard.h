#pragma once

#include "platform/clipboard.h"

namespace tw {

// The Windows clipboard; text goes as CF_UNICODETEXT. Each call is one attempt: while
// another program holds the clipboard open it fails, and the caller retries.
class Win32Clipboard : public Clipboard {
  public:
    Win32Clipboard();
    ~Win32Clipboard() override;
    Win32Clipboard(const Win32Clipboard&) = delete;
    Win32Clipboard& operator=(const Win32Clipboard&) = delete;

    bool tryClear() override;
    bool trySetText(const std::string& text, int format) override;

  private:
    void* owner();
    void* owner_ = nullptr; // a message-only window: the clipboard takes data only from an owner
};

} // namespace tw
