#pragma once

#include "platform/dialogs.h"

#include <windows.h>

namespace tw {

// Message, input and open-file boxes, modal to the program's active window.
class Win32Dialogs : public Dialogs {
  public:
    Answer messageBox(const std::string& text, const std::string& title, Buttons buttons,
                      Icon icon) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& initial) override;
    std::string openFile(const std::string& title, const std::string& filter) override;
};

// "Description|patterns|..." as the open-file dialog wants it: NUL-separated, two NULs last.
std::wstring fileDialogFilter(const std::string& filter);

} // namespace tw
