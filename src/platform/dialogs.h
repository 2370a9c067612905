#pragma once

#include <string>

namespace tw {

enum class Buttons { Ok, YesNo };
enum class Icon { None, Warning };
enum class Answer { Ok, Yes, No };

// Modal boxes shown to the user; each call returns once the user has answered.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // A message box with the given buttons and icon; returns the button pressed.
    virtual Answer messageBox(const std::string& text, const std::string& title, Buttons buttons,
                              Icon icon) = 0;
    // A text-input box; returns the typed text, or the empty text on Cancel.
    virtual std::string inputBox(const std::string& prompt, const std::string& title,
                                 const std::string& initial) = 0;
    // An open-file dialog; filter is "Description|patterns|Description|patterns..." with
    // patterns separated by ';'. Returns the chosen file's full path, or the empty text.
    virtual std::string openFile(const std::string& title, const std::string& filter) = 0;
};

} // namespace tw
