#include "frontend/win32/win32_form.h"

#include "core/day_names.h"
#include "frontend/win32/win32_controls.h"
#include "frontend/win32/win32_list_view.h"

namespace tw {

// Makes the adapter of each control over the child window of its control name.
class Win32Form::Adapters : public ControlMaker {
  public:
    explicit Adapters(Win32Window& window) : window_(window) {}

    WindowControl& window() override { return window_; }
    PushButton& button(const char* name) override { return keep<Win32PushButton>(window_, name); }
    Caption& frame(const char* name) override { return keep<Win32Caption>(window_, name); }
    Caption& label(const char* name) override { return keep<Win32Caption>(window_, name); }
    CheckBox& checkBox(const char* name) override { return keep<Win32CheckBox>(window_, name); }
    OptionButton& option(const char* name) override {
        return keep<Win32OptionButton>(window_, name);
    }
    TextBox& edit(const char* name) override { return keep<Win32TextBox>(window_, name); }
    TimePicker& timePicker(const char* name) override {
        return keep<Win32TimePicker>(window_, name);
    }
    DropDownList& combo(const char* name) override {
        return keep<Win32DropDownList>(
            window_, name, std::vector<std::string>(kDayNames.begin(), kDayNames.end()));
    }
    ProgressBar& progress(const char* name) override {
        return keep<Win32ProgressBar>(window_, name);
    }
    ListControl& list(const char* name) override { return keep<Win32ListView>(window_, name); }

  private:
    Win32Window& window_;
};

Win32Form::Win32Form(HINSTANCE instance)
    : window_(instance), adapters_(std::make_unique<Adapters>(window_)),
      controls_(makeMainWindowControls(*adapters_)) {}

Win32Form::~Win32Form() = default;

void Win32Form::holdListDrawing(bool hold) {
    for (const ControlPlace& place : mainWindowControls())
        if (place.kind == ControlKind::List)
            SendMessageW(window_.control(place.name), WM_SETREDRAW, hold ? FALSE : TRUE, 0);
}

} // namespace tw
