#pragma once

#include "frontend/win32/win32_window.h"

#include <memory>

namespace tw {

// The main window with an adapter for each of its controls, ready to hand to the window's
// behaviour.
class Win32Form {
  public:
    explicit Win32Form(HINSTANCE instance);
    ~Win32Form();
    Win32Form(const Win32Form&) = delete;
    Win32Form& operator=(const Win32Form&) = delete;

    Win32Window& window() { return window_; }
    const MainWindowControls& controls() const { return controls_; }

  private:
    class Adapters;
    Win32Window window_;
    std::unique_ptr<Adapters> adapters_;
    MainWindowControls controls_;
};

} // namespace tw
