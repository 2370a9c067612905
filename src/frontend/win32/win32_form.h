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
    // Runs the window's start-up with the lists not redrawn: the list view would otherwise
    // measure its rows and scroll bars again at each stored row it is given.
    template <class Start> void fillLists(Start&& start) {
        holdListDrawing(true);
        try {
            start();
        } catch (...) {
            holdListDrawing(false);
            throw;
        }
        holdListDrawing(false);
    }

  private:
    void holdListDrawing(bool hold);

    class Adapters;
    Win32Window window_;
    std::unique_ptr<Adapters> adapters_;
    MainWindowControls controls_;
};

} // namespace tw
