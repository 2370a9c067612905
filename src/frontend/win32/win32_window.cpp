#include "frontend/win32/win32_window.h"

#include "frontend/win32/control_accessible.h"
#include "platform/win32/escaped_failure.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_icon.h"
#include "window/access_keys.h"

#include <algorithm>
#include <stdexcept>

namespace tw {

namespace {
constexpr wchar_t kWindowClass[] = L"TidewellMainWindow";
constexpr int kFirstControlId = 100;
// Rows a drop-down list shows when open.
constexpr int kComboRows = 8;
// Posted after a change of size, so that the state event comes once the change is complete.
constexpr UINT kStateSettled = WM_APP + 1;

// Controls that show a pointer of their own instead of the window's.
bool choosesOwnPointer(HWND control) {
    wchar_t name[32] = {};
    GetClassNameW(control, name, 32);
    return lstrcmpiW(name, WC_EDITW) == 0 || lstrcmpiW(name, DATETIMEPICK_CLASSW) == 0;
}

// The top left corner of a window of that outer rectangle centred on that work area.
POINT centredIn(const RECT& work, const RECT& frame) {
    return POINT{work.left + (work.right - work.left - (frame.right - frame.left)) / 2,
                 work.top + (work.bottom - work.top - (frame.bottom - frame.top)) / 2};
}

void registerClass(HINSTANCE instance, WNDPROC windowProc, HCURSOR arrow) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, kWindowClass, &existing))
        return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = arrow;
    // The program's icons are the class's, so the window is made with them: under Wine each
    // WM_SETICON has the display driver build and send the icons again.
    wc.hIcon = programIcon(SM_CXICON, SM_CYICON);
    wc.hIconSm = programIcon(SM_CXSMICON, SM_CYSMICON);
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);
}
} // namespace

ControlClass controlClass(ControlKind kind) {
    switch (kind) {
    case ControlKind::Button:
        return {WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::Frame:
        return {WC_BUTTONW, BS_GROUPBOX, 0};
    case ControlKind::CheckBox:
        // The adapter keeps the value (0, 1 or 2 for greyed) and draws it.
        return {WC_BUTTONW, BS_3STATE | WS_TABSTOP, 0};
    case ControlKind::Option:
        // The adapter keeps the groups exclusive: both groups share one parent window.
        return {WC_BUTTONW, BS_RADIOBUTTON | WS_TABSTOP, 0};
    case ControlKind::Label:
        return {WC_STATICW, SS_LEFT | SS_NOTIFY, 0};
    case ControlKind::Edit:
        return {WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::TimePicker:
        return {DATETIMEPICK_CLASSW, DTS_TIMEFORMAT | DTS_UPDOWN | WS_TABSTOP, 0};
    case ControlKind::Combo:
        return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case ControlKind::Progress:
        return {PROGRESS_CLASSW, PBS_SMOOTH, 0};
    case ControlKind::List:
        return {WC_LISTVIEWW,
                LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP | WS_BORDER, 0};
    }
    throw std::logic_error("unknown control kind");
}

DWORD listViewExtendedStyle(const ControlPlace& place) {
    DWORD style = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER;
    if (place.flag)
        style |= LVS_EX_CHECKBOXES;
    return style;
}

RECT controlRect(size_t i, UINT dpi) {
    const auto places = mainWindowControls();
    const ControlPlace& place = places[i];
    int left = place.left;
    int top = place.top;
    for (const ControlPlace& container : places)
        if (place.frame && std::string_view(container.name) == place.frame) {
            left += container.left;
            top += container.top;
        }
    int height = pixels(place.height, dpi);
    // A combo box's height includes its open list.
    if (place.kind == ControlKind::Combo)
        height *= kComboRows;
    const int x = pixels(left, dpi);
    const int y = pixels(top, dpi);
    return RECT{x, y, x + pixels(place.width, dpi), y + height};
}

std::wstring wideWindowText(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string windowText(HWND hwnd) {
    return narrow(wideWindowText(hwnd));
}

Win32Window::Win32Window(HINSTANCE instance)
    : instance_(instance), background_(static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))),
      arrow_(LoadCursorW(nullptr, IDC_ARROW)), pointer_(arrow_) {
    registerClass(instance, &Win32Window::windowProc, arrow_);
    // Made at the size and place it first shows at, for the dpi the monitor most likely has:
    // under Wine each later move of a top-level window is a round trip to the server and
    // another to the X server.
    dpi_ = GetDpiForSystem();
    const RECT work = workArea();
    layoutDpi_ = fittingDpi(work);
    const RECT frame = frameFor(layoutDpi_);
    const POINT at = centredIn(work, frame);
    hwnd_ = CreateWindowExW(0, kWindowClass, L"", kMainWindowStyle, at.x, at.y,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                            instance, nullptr);
    if (!hwnd_)
        throw std::runtime_error("The main window could not be created");
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // A monitor of another dpi than the system's: laid out again for its own.
    if (const UINT monitorDpi = GetDpiForWindow(hwnd_); monitorDpi != dpi_) {
        dpi_ = monitorDpi;
        sizeForLayout();
    } else {
        makeFonts();
    }
    // Each control is made where it belongs, with its font: moving forty controls into
    // place afterwards would cost a round trip to the server each under Wine.
    createControls();
}

Win32Window::~Win32Window() {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
    DeleteObject(windowFont_);
    DeleteObject(buttonFont_);
    if (custom_)
        DestroyCursor(custom_);
}

HWND Win32Window::control(std::string_view name) const {
    const auto places = mainWindowControls();
    for (size_t i = 0; i < places.size(); ++i)
        if (name == places[i].name)
            return controls_[i];
    throw std::out_of_range("no control named " + std::string(name));
}

std::vector<HWND> Win32Window::optionGroup(HWND option) const {
    const auto places = mainWindowControls();
    const char* frame = nullptr;
    for (size_t i = 0; i < places.size(); ++i)
        if (controls_[i] == option)
            frame = places[i].frame;
    std::vector<HWND> group;
    for (size_t i = 0; i < places.size(); ++i)
        if (places[i].kind == ControlKind::Option && frame && places[i].frame &&
            std::string_view(places[i].frame) == frame)
            group.push_back(controls_[i]);
    return group;
}

void Win32Window::listen(HWND control, ControlEvents& events) {
    listeners_[control] = &events;
}

ControlEvents* Win32Window::listener(HWND control) const {
    auto it = listeners_.find(control);
    return it == listeners_.end() ? nullptr : it->second;
}

void Win32Window::createControls() {
    const auto places = mainWindowControls();
    controls_.reserve(places.size());
    int id = kFirstControlId;
    bool previousWasOption = false;
    for (size_t i = 0; i < places.size(); ++i) {
        const ControlPlace& place = places[i];
        auto [windowClass, style, exStyle] = controlClass(place.kind);
        style |= WS_CHILD;
        if (!(place.kind == ControlKind::CheckBox && place.flag))
            style |= WS_VISIBLE;
        // Arrow keys move within a run of option buttons; every other control starts a group.
        if (!(place.kind == ControlKind::Option && previousWasOption))
            style |= WS_GROUP;
        previousWasOption = place.kind == ControlKind::Option;
        const RECT at = controlRect(i, layoutDpi_);
        HWND control = CreateWindowExW(
            exStyle, windowClass, widen(shownCaption(place)).c_str(), style, at.left, at.top,
            at.right - at.left, at.bottom - at.top, hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance_, nullptr);
        if (!control)
            throw std::runtime_error(std::string("The control ") + place.name +
                                     " could not be created");
        // Not yet shown: nothing to redraw.
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(controlFont(i)), FALSE);
        if (place.kind == ControlKind::List)
            ListView_SetExtendedListViewStyle(control, listViewExtendedStyle(place));
        if (place.kind == ControlKind::Option && place.flag)
            SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);
        // The control's own procedure is its class's: controlProc passes every message on
        // to it. Not SetWindowSubclass, whose lookup at every message is a window property,
        // a round trip to the server under Wine (three per message, thousands at start-up).
        SetWindowLongPtrW(control, GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(&Win32Window::controlProc));
        controls_.push_back(control);
    }
}

RECT Win32Window::workArea() const {
    // Before the first showing the window is not yet where it will be shown: on the monitor
    // under the mouse pointer (showFirstTime).
    HMONITOR screen = nullptr;
    POINT at{};
    if (shown_)
        screen = MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST);
    else if (GetCursorPos(&at))
        screen = MonitorFromPoint(at, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!screen || !GetMonitorInfoW(screen, &monitor))
        return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return monitor.rcWork;
}

RECT Win32Window::frameFor(UINT layoutDpi) const {
    RECT frame{0, 0, pixels(kClientWidthTwips, layoutDpi), pixels(kClientHeightTwips, layoutDpi)};
    // The title bar and borders are drawn at the monitor's own dpi.
    AdjustWindowRectExForDpi(&frame, kMainWindowStyle, FALSE, 0, dpi_);
    return frame;
}

UINT Win32Window::fittingDpi(const RECT& work) const {
    // A window scaled past its work area (150 % on a 1366 x 768 laptop) would be clamped to
    // the screen with its right column and lower frames out of reach: the whole layout,
    // fonts included, is drawn smaller until the window fits.
    UINT dpi = dpi_;
    for (; dpi > kDesignDpi / 2; --dpi) {
        const RECT frame = frameFor(dpi);
        if (frame.right - frame.left <= work.right - work.left &&
            frame.bottom - frame.top <= work.bottom - work.top)
            break;
    }
    return dpi;
}

void Win32Window::sizeForLayout() {
    layoutDpi_ = fittingDpi(workArea());
    const RECT frame = frameFor(layoutDpi_);
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    makeFonts();
}

void Win32Window::makeFonts() {
    // Drawn smaller to fit, a font rounded up outgrows the labels sized for it ("Hours:"
    // lost its colon at 117 dpi).
    const bool shrunk = layoutDpi_ < dpi_;
    windowFont_ = arialBold(kWindowFontCentipoints, layoutDpi_, shrunk);
    buttonFont_ = arialBold(kButtonFontCentipoints, layoutDpi_, shrunk);
}

HFONT Win32Window::controlFont(size_t i) const {
    return mainWindowControls()[i].kind == ControlKind::Button ? buttonFont_ : windowFont_;
}

void Win32Window::layOut() {
    // The controls hold the old fonts until they are handed the new ones.
    const HFONT oldWindowFont = windowFont_;
    const HFONT oldButtonFont = buttonFont_;
    sizeForLayout();
    for (size_t i = 0; i < controls_.size(); ++i) {
        const RECT at = controlRect(i, layoutDpi_);
        SetWindowPos(controls_[i], nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(controlFont(i)), TRUE);
    }
    DeleteObject(oldWindowFont);
    DeleteObject(oldButtonFont);
}

bool Win32Window::pressAccessKey(const MSG& message) {
    if (message.message != WM_SYSCHAR || (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd)))
        return false;
    if (message.wParam >= 0x80)
        return false;
    const auto key = static_cast<char>(towlower(static_cast<wint_t>(message.wParam)));
    const auto places = mainWindowControls();
    std::vector<size_t> matches;
    for (size_t i = 0; i < places.size(); ++i) {
        const ControlKind kind = places[i].kind;
        const HWND control = controls_[i];
        if ((kind == ControlKind::Button || kind == ControlKind::CheckBox ||
             kind == ControlKind::Option || kind == ControlKind::Label) &&
            IsWindowVisible(control) && IsWindowEnabled(control) &&
            accessKey(plainCaption(windowText(control))) == key)
            matches.push_back(i);
    }
    if (matches.empty())
        return false;
    if (matches.size() > 1) {
        const HWND focus = GetFocus();
        auto at = std::find_if(matches.begin(), matches.end(),
                               [&](size_t i) { return controls_[i] == focus; });
        at =
            at == matches.end() || std::next(at) == matches.end() ? matches.begin() : std::next(at);
        SetFocus(controls_[*at]);
    } else if (places[matches.front()].kind == ControlKind::Label) {
        if (const HWND box = GetNextDlgTabItem(hwnd_, controls_[matches.front()], FALSE))
            SetFocus(box);
    } else {
        SendMessageW(controls_[matches.front()], BM_CLICK, 0, 0);
    }
    return true;
}

void Win32Window::showFirstTime() {
    RECT frame;
    GetWindowRect(hwnd_, &frame);
    // Made there already, unless the pointer has since moved to another monitor.
    const POINT at = centredIn(workArea(), frame);
    if (at.x != frame.left || at.y != frame.top)
        SetWindowPos(hwnd_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    shown_ = true;
    if (startMinimised_) {
        ShowWindow(hwnd_, SW_SHOWMINNOACTIVE);
        return;
    }
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    UpdateWindow(hwnd_);
}

void Win32Window::setVisible(bool visible) {
    ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

void Win32Window::setEnabled(bool enabled) {
    EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

void Win32Window::setTitle(const std::string& title) {
    SetWindowTextW(hwnd_, widen(title).c_str());
}

void Win32Window::showProgramIcon() {
    // Shown from the window's making: its class carries the program's icons.
}

bool Win32Window::isMinimised() const {
    if (!shown_)
        return startMinimised_;
    return IsIconic(hwnd_) && !restorePending_;
}

void Win32Window::minimise() {
    if (!shown_) {
        startMinimised_ = true;
        return;
    }
    restorePending_ = false;
    ShowWindow(hwnd_, SW_MINIMIZE);
}

void Win32Window::hide() {
    ShowWindow(hwnd_, SW_HIDE);
}

void Win32Window::setNormalState() {
    if (!shown_) {
        startMinimised_ = false;
        return;
    }
    if (!IsIconic(hwnd_))
        return;
    // A hidden window cannot be restored without showing it: the restore waits for the
    // next showing.
    if (IsWindowVisible(hwnd_))
        ShowWindow(hwnd_, SW_RESTORE);
    else
        restorePending_ = true;
}

void Win32Window::showAndActivate() {
    shown_ = true;
    const bool restore = IsIconic(hwnd_) || restorePending_;
    restorePending_ = false;
    ShowWindow(hwnd_, restore ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(hwnd_);
}

void Win32Window::loadCustomPointer(const std::string& path) {
    HCURSOR cursor = LoadCursorFromFileW(widen(path).c_str());
    if (!cursor)
        throw std::runtime_error("Invalid picture");
    if (custom_)
        DestroyCursor(custom_);
    custom_ = cursor;
}

void Win32Window::setPointer(Pointer pointer) {
    pointer_ = pointer == Pointer::Custom && custom_ ? custom_ : arrow_;
    // Show it at once where the mouse is over the window, as a moving mouse would.
    POINT at;
    if (GetCursorPos(&at)) {
        HWND under = WindowFromPoint(at);
        if (under && (under == hwnd_ || IsChild(hwnd_, under)) && !choosesOwnPointer(under))
            SetCursor(pointer_);
    }
}

void Win32Window::applySkinColours() {
    backgroundColour_ = GetSysColor(COLOR_BTNFACE);
    background_ = GetSysColorBrush(COLOR_BTNFACE);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32Window::pointerMovedOverWindow(LPARAM at) {
    // A frame lets the mouse through to the window: find the frame under the pointer.
    const POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    HWND under = ChildWindowFromPointEx(hwnd_, point, CWP_SKIPINVISIBLE);
    if (under && under != hwnd_)
        if (ControlEvents* events = listener(under)) {
            events->onPointerMoved();
            return;
        }
    pointerMoved.raise();
}

void Win32Window::stateMayHaveChanged() {
    const bool minimised = IsIconic(hwnd_) != FALSE;
    if (minimised == reportedMinimised_)
        return;
    reportedMinimised_ = minimised;
    stateChanged.raise();
}

LRESULT CALLBACK Win32Window::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    guarded(hwnd, [&] { result = self->handle(message, wParam, lParam); });
    return result;
}

LRESULT CALLBACK Win32Window::controlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND parent = GetParent(hwnd);
    // Null once the window is being destroyed: its controls' adapters are gone by then.
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(parent, GWLP_USERDATA));
    if (self && (message == WM_MOUSEMOVE || message == WM_KILLFOCUS))
        guarded(parent, [&] {
            if (ControlEvents* events = self->listener(hwnd)) {
                if (message == WM_MOUSEMOVE)
                    events->onPointerMoved();
                else
                    events->onFocusLost(reinterpret_cast<HWND>(wParam));
            }
        });
    else if (self && message == WM_GETOBJECT) {
        // Screen readers ask each control: it answers with its spoken name and description.
        LRESULT object = 0;
        guarded(parent, [&] { object = self->accessibleObject(hwnd, wParam, lParam); });
        if (object)
            return object;
    } else if (self &&
               (message == WM_PAINT || message == WM_PRINTCLIENT || message == WM_ERASEBKGND)) {
        ControlEvents* events = self->listener(hwnd);
        if (events && events->drawsItself()) {
            if (message == WM_ERASEBKGND)
                return TRUE; // drawn whole: nothing to erase
            PAINTSTRUCT paint;
            const HDC dc =
                message == WM_PAINT ? BeginPaint(hwnd, &paint) : reinterpret_cast<HDC>(wParam);
            guarded(parent, [&] { events->draw(dc); });
            if (message == WM_PAINT)
                EndPaint(hwnd, &paint);
            return 0;
        }
    }
    return byControlClass(hwnd, message, wParam, lParam);
}

LRESULT Win32Window::byControlClass(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto classProc = reinterpret_cast<WNDPROC>(GetClassLongPtrW(control, GCLP_WNDPROC));
    return CallWindowProcW(classProc, control, message, wParam, lParam);
}

LRESULT Win32Window::accessibleObject(HWND control, WPARAM wParam, LPARAM lParam) const {
    const auto places = mainWindowControls();
    for (size_t i = 0; i < places.size(); ++i)
        if (controls_[i] == control)
            return answerAccessibleObject(control, places[i].kind, controlSpeech(places[i].name),
                                          wParam, lParam);
    return 0;
}

LRESULT Win32Window::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == anotherStartMessage_ && message != 0) {
        if (onAnotherStart_)
            onAnotherStart_();
        return 0;
    }
    switch (message) {
    case WM_COMMAND:
        if (lParam) {
            if (ControlEvents* events = listener(reinterpret_cast<HWND>(lParam)))
                events->onCommand(HIWORD(wParam));
            return 0;
        }
        break;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (ControlEvents* events = listener(header->hwndFrom))
            return events->onNotify(*header);
        break;
    }
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(hwnd_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, background_);
        return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        // Frames, check boxes, option buttons and labels take the window's background.
        const auto dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, backgroundColour_);
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(background_);
    }
    case WM_GETICON:
        // Those who ask the window for its icons are given the class's, as they were given
        // the same icons when the window was told them.
        if (const LRESULT own = DefWindowProcW(hwnd_, message, wParam, lParam))
            return own;
        return GetClassLongPtrW(hwnd_, wParam == ICON_BIG ? GCLP_HICON : GCLP_HICONSM);
    case WM_MOUSEMOVE:
        pointerMovedOverWindow(lParam);
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && !choosesOwnPointer(reinterpret_cast<HWND>(wParam))) {
            SetCursor(pointer_);
            return TRUE;
        }
        break;
    case WM_SIZE:
        PostMessageW(hwnd_, kStateSettled, 0, 0);
        return 0;
    case kStateSettled:
        stateMayHaveChanged();
        return 0;
    case WM_DPICHANGED: {
        dpi_ = HIWORD(wParam);
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        layOut();
        for (auto& [control, events] : listeners_)
            events->onDpiChanged(layoutDpi_);
        return 0;
    }
    case WM_CLOSE:
    case WM_ENDSESSION:
        // Every way of closing ends the program through shutdown; nothing asks or cancels.
        if (message == WM_ENDSESSION && !wParam)
            break;
        if (onClose_)
            onClose_();
        else
            DestroyWindow(hwnd_);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

} // namespace tw
