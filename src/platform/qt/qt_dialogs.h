#pragma once

#include "platform/dialogs.h"

#include <QStringList>
#include <QWidget>

namespace tw {

// The modal boxes drawn by Qt widgets, owned by the program's window while it is shown.
class QtDialogs : public Dialogs {
  public:
    Answer messageBox(const std::string& text, const std::string& title, Buttons buttons,
                      Icon icon) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& initial) override;
    // Shows the filter's choices first, then two more that browsing here needs: programs of
    // any name (files the user may execute) and all files.
    std::string openFile(const std::string& title, const std::string& filter) override;

  private:
    // The program's shown window, or none.
    static QWidget* owner();
};

// The two choices every open-file dialog adds after the caller's.
inline constexpr const char* kAnyProgramChoice = "Programs of any name";
inline constexpr const char* kAllFilesChoice = "All Files";

// The caller's "Description|patterns|..." filter as Qt name filters, each showing the
// description, followed by the two added choices.
QStringList openFileNameFilters(const std::string& filter);

} // namespace tw
