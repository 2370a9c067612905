#pragma once

#include "frontend/win32/win32_window.h"
#include "window/controls.h"

#include <string>
#include <vector>

namespace tw {

// What every control adapter shares: its window, showing, enabling and the pointer event.
// Events are raised as they happen, also from inside a handler of the same control: a handler
// that changes its own control runs again for that change, as the shared behaviour expects.
template <class Interface> class Win32Control : public Interface, public ControlEvents {
  public:
    Win32Control(Win32Window& window, const char* name)
        : window_(window), hwnd_(window.control(name)) {
        window.listen(hwnd_, *this);
    }
    void setVisible(bool visible) override { ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }
    void setEnabled(bool enabled) override { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }
    void onPointerMoved() override { this->pointerMoved.raise(); }

  protected:
    Win32Window& window_;
    HWND hwnd_;
};

class Win32PushButton : public Win32Control<PushButton> {
  public:
    using Win32Control::Win32Control;
    std::string caption() const override;
    void setCaption(const std::string& caption) override;
    void onCommand(WORD code) override;
};

class Win32CheckBox : public Win32Control<CheckBox> {
  public:
    using Win32Control::Win32Control;
    int value() const override { return value_; }
    void setValue(int value) override;
    void onCommand(WORD code) override;

  private:
    int value_ = 0;
};

class Win32OptionButton : public Win32Control<OptionButton> {
  public:
    using Win32Control::Win32Control;
    bool selected() const override;
    void setSelected(bool selected) override;
    void onCommand(WORD code) override;

  private:
    // Checks this option and clears the others of its frame.
    void check();
};

class Win32TextBox : public Win32Control<TextBox> {
  public:
    using Win32Control::Win32Control;
    std::string text() const override;
    void setText(const std::string& text) override;
    void setFocus() override;
    void onCommand(WORD code) override;
    void onFocusLost(HWND to) override;
};

class Win32TimePicker : public Win32Control<TimePicker> {
  public:
    Win32TimePicker(Win32Window& window, const char* name);
    TimeOfDay time() const override;
    void setTime(const TimeOfDay& time) override;
    LRESULT onNotify(const NMHDR& header) override;

  private:
    // The time last reported, so that an edit that changes nothing raises nothing.
    TimeOfDay shown_;
};

class Win32DropDownList : public Win32Control<DropDownList> {
  public:
    Win32DropDownList(Win32Window& window, const char* name, const std::vector<std::string>& items);
    std::string text() const override;
    bool choose(const std::string& text) override;
    void onCommand(WORD code) override;

  private:
    std::vector<std::string> items_;
};

// The common progress bar draws no text: the adapter paints the text over the bar itself,
// centred, after the bar has drawn its fill.
class Win32ProgressBar : public Win32Control<ProgressBar> {
  public:
    Win32ProgressBar(Win32Window& window, const char* name);
    void setProgress(int position, int maximum) override;
    void setText(const std::string& text) override;
    // The bar and its text over it.
    bool drawsItself() const override { return true; }
    void draw(HDC dc) override;
};

// A frame's title or a label's text.
class Win32Caption : public Win32Control<Caption> {
  public:
    using Win32Control::Win32Control;
    void setText(const std::string& text) override;
};

} // namespace tw
