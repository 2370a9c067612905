#pragma once

#include "frontend/win32/dpi.h"
#include "window/controls.h"
#include "window/window_layout.h"

#include <windows.h>

#include <commctrl.h>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tw {

// The text of a window or control, whole.
std::wstring wideWindowText(HWND hwnd);
std::string windowText(HWND hwnd);

// The main window: a title bar with the system menu and the minimise box; its size is fixed.
inline constexpr DWORD kMainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// The controls' Arial bold, in hundredths of a point: the push buttons' and every other's.
inline constexpr int kButtonFontCentipoints = 1125;
inline constexpr int kWindowFontCentipoints = 900;

// How a control of the layout table is made: its window class and styles (WS_CHILD,
// WS_VISIBLE and WS_GROUP come from its place in the window).
struct ControlClass {
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle;
};
ControlClass controlClass(ControlKind kind);
// A list's extended styles: whole rows selected, grid lines, and check boxes where flagged.
DWORD listViewExtendedStyle(const ControlPlace& place);
// Where control i of mainWindowControls() lies in the window's client area at that dpi.
RECT controlRect(size_t i, UINT dpi);

// What a control's adapter hears of the window's messages about that control.
class ControlEvents {
  public:
    virtual ~ControlEvents() = default;
    // A WM_COMMAND notification code (BN_CLICKED, EN_CHANGE, CBN_SELCHANGE, ...).
    virtual void onCommand(WORD /*code*/) {}
    // A WM_NOTIFY record; the result goes back to the control.
    virtual LRESULT onNotify(const NMHDR& /*header*/) { return 0; }
    // The mouse moved over the control.
    virtual void onPointerMoved() {}
    // The keyboard focus left the control for the window "to" (may be null).
    virtual void onFocusLost(HWND /*to*/) {}
    // The window has been laid out again for another dpi (it moved to a monitor of another
    // dpi, or is drawn smaller to fit its screen).
    virtual void onDpiChanged(UINT /*dpi*/) {}
    // A control that draws itself whole says so: it is then not erased first, and draw()
    // paints it (WM_PAINT, WM_PRINTCLIENT) instead of its class.
    virtual bool drawsItself() const { return false; }
    virtual void draw(HDC /*dc*/) {}
};

// The program's main window: a fixed-size top-level window whose controls are built from
// the layout table, all as children of the window itself (a group box is drawn over the
// controls it frames and lets the mouse through to the window).
class Win32Window : public WindowControl {
  public:
    explicit Win32Window(HINSTANCE instance);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    HWND hwnd() const { return hwnd_; }
    // The control of that control name; throws std::out_of_range for an unknown name.
    HWND control(std::string_view name) const;
    // The option buttons that share a frame with this one, itself included.
    std::vector<HWND> optionGroup(HWND option) const;
    void listen(HWND control, ControlEvents& events);
    // Has a control's own class (a button, a progress bar, ...) handle the message.
    static LRESULT byControlClass(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    // The dpi the controls are laid out for: the monitor's, or less where the window would not
    // fit its work area at the monitor's.
    UINT layoutDpi() const { return layoutDpi_; }

    // Alt with the access key of a caption of the window: clicks its button, check box or
    // option, or, of a label, focuses the box after it; a key that two shown controls share
    // moves the focus to the next of them instead. True when the message was such a key,
    // before the dialog manager would click the first control of the key.
    bool pressAccessKey(const MSG& message);

    // Shows the window for the first time, centred on its monitor; minimised when asked.
    void showFirstTime();
    // Where a close request goes (the close box, the system menu, the session ending).
    void setCloseHandler(std::function<void()> handler) { onClose_ = std::move(handler); }
    // Where a later start of the program, announced with this message, goes.
    void setAnotherStartHandler(UINT message, std::function<void()> handler) {
        anotherStartMessage_ = message;
        onAnotherStart_ = std::move(handler);
    }

    void setVisible(bool visible) override;
    void setEnabled(bool enabled) override;
    void setTitle(const std::string& title) override;
    void showProgramIcon() override;
    bool isMinimised() const override;
    void minimise() override;
    void hide() override;
    void setNormalState() override;
    void showAndActivate() override;
    void loadCustomPointer(const std::string& path) override;
    void setPointer(Pointer pointer) override;
    void applySkinColours() override;

  private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // A control's answer to WM_GETOBJECT, 0 for the default one.
    LRESULT accessibleObject(HWND control, WPARAM wParam, LPARAM lParam) const;
    static LRESULT CALLBACK controlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void createControls();
    // Chooses the dpi the layout is drawn at, sizes the window for it and makes its fonts
    // (the old ones are the caller's to delete).
    void sizeForLayout();
    // Makes the fonts for layoutDpi_.
    void makeFonts();
    // The font of control i of mainWindowControls().
    HFONT controlFont(size_t i) const;
    void layOut();
    RECT workArea() const;
    // The window's outer rectangle with its controls laid out for that dpi.
    RECT frameFor(UINT layoutDpi) const;
    // The highest dpi up to the monitor's at which the whole window fits its work area.
    UINT fittingDpi(const RECT& work) const;
    ControlEvents* listener(HWND control) const;
    void pointerMovedOverWindow(LPARAM at);
    void stateMayHaveChanged();

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    UINT dpi_ = kDesignDpi;
    UINT layoutDpi_ = kDesignDpi;
    HFONT windowFont_ = nullptr;
    HFONT buttonFont_ = nullptr;
    HBRUSH background_ = nullptr;
    COLORREF backgroundColour_ = RGB(255, 255, 255);
    HCURSOR arrow_ = nullptr;
    HCURSOR custom_ = nullptr;
    HCURSOR pointer_ = nullptr;
    bool shown_ = false;
    bool startMinimised_ = false;
    bool restorePending_ = false;
    bool reportedMinimised_ = false;
    std::function<void()> onClose_;
    UINT anotherStartMessage_ = 0;
    std::function<void()> onAnotherStart_;
    std::vector<HWND> controls_; // parallel to mainWindowControls()
    std::unordered_map<HWND, ControlEvents*> listeners_;
};

} // namespace tw
