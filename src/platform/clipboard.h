#pragma once

#include <string>

namespace tw {

// The system clipboard; each attempt may fail while another program holds it.
class Clipboard {
  public:
    virtual ~Clipboard() = default;
    // One attempt to empty the clipboard; true on success.
    virtual bool tryClear() = 0;
    // One attempt to place text (UTF-8) in the given format, 0 for plain text; true on success.
    virtual bool trySetText(const std::string& text, int format) = 0;
};

} // namespace tw
