#pragma once

#include "platform/clipboard.h"

namespace tw {

// The system clipboard through Qt; needs a QGuiApplication (an attempt without one fails).
class QtClipboard : public Clipboard {
  public:
    bool tryClear() override;
    bool trySetText(const std::string& text, int format) override;
};

} // namespace tw
