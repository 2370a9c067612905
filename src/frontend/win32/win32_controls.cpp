#include "frontend/win32/win32_controls.h"

#include "platform/win32/wide_text.h"
#include "schedule/schedule_model.h"
#include "window/access_keys.h"

#include <algorithm>
#include <stdexcept>

namespace tw {

std::string Win32PushButton::caption() const {
    return plainCaption(windowText(hwnd_));
}

void Win32PushButton::setCaption(const std::string& caption) {
    SetWindowTextW(hwnd_, widen(shownCaption(caption)).c_str());
}

void Win32PushButton::onCommand(WORD code) {
    if (code == BN_CLICKED)
        clicked.raise();
}

void Win32CheckBox::setValue(int value) {
    if (value < 0 || value > 2)
        throw std::invalid_argument("Invalid property value");
    if (value == value_)
        return;
    value_ = value;
    SendMessageW(hwnd_, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    changed.raise();
}

void Win32CheckBox::onCommand(WORD code) {
    // A click checks a clear or greyed box and clears a checked one.
    if (code == BN_CLICKED)
        setValue(value_ == 1 ? 0 : 1);
}

bool Win32OptionButton::selected() const {
    return SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32OptionButton::check() {
    for (HWND option : window_.optionGroup(hwnd_))
        SendMessageW(option, BM_SETCHECK, option == hwnd_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32OptionButton::setSelected(bool on) {
    if (on == selected())
        return;
    if (!on) {
        SendMessageW(hwnd_, BM_SETCHECK, BST_UNCHECKED, 0);
        return;
    }
    check();
    clicked.raise();
}

void Win32OptionButton::onCommand(WORD code) {
    if (code != BN_CLICKED)
        return;
    check();
    clicked.raise();
}

std::string Win32TextBox::text() const {
    return windowText(hwnd_);
}

void Win32TextBox::setText(const std::string& text) {
    // The box reports the change itself (EN_CHANGE), as it does for a keystroke.
    if (text != this->text())
        SetWindowTextW(hwnd_, widen(text).c_str());
}

void Win32TextBox::setFocus() {
    SetFocus(hwnd_);
}

void Win32TextBox::onCommand(WORD code) {
    if (code == EN_CHANGE)
        changed.raise();
}

void Win32TextBox::onFocusLost(HWND to) {
    // Only a move to another control of the same window counts.
    if (to && to != hwnd_ && IsChild(window_.hwnd(), to))
        lostFocus.raise();
}

Win32TimePicker::Win32TimePicker(Win32Window& window, const char* name)
    : Win32Control(window, name), shown_(Win32TimePicker::time()) {}

TimeOfDay Win32TimePicker::time() const {
    SYSTEMTIME value{};
    DateTime_GetSystemtime(hwnd_, &value);
    return {value.wHour, value.wMinute, value.wSecond};
}

void Win32TimePicker::setTime(const TimeOfDay& time) {
    if (time == this->time())
        return;
    SYSTEMTIME value{};
    DateTime_GetSystemtime(hwnd_, &value);
    value.wHour = static_cast<WORD>(time.hour);
    value.wMinute = static_cast<WORD>(time.minute);
    value.wSecond = static_cast<WORD>(time.second);
    value.wMilliseconds = 0;
    // Known before the picker changes, so that a notice the picker may send meanwhile is not
    // taken for a second change.
    const TimeOfDay before = shown_;
    shown_ = time;
    if (!DateTime_SetSystemtime(hwnd_, GDT_VALID, &value)) {
        shown_ = before;
        throw std::invalid_argument("Invalid property value");
    }
    changed.raise();
}

LRESULT Win32TimePicker::onNotify(const NMHDR& header) {
    // The picker reports every edit, also one that leaves the time as it was.
    if (header.code == DTN_DATETIMECHANGE && time() != shown_) {
        shown_ = time();
        changed.raise();
    }
    return 0;
}

Win32DropDownList::Win32DropDownList(Win32Window& window, const char* name,
                                     const std::vector<std::string>& items)
    : Win32Control(window, name), items_(items) {
    for (const std::string& item : items_)
        SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(item).c_str()));
}

std::string Win32DropDownList::text() const {
    const auto index = SendMessageW(hwnd_, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? std::string() : items_.at(static_cast<size_t>(index));
}

bool Win32DropDownList::choose(const std::string& text) {
    // The control's own search ignores letter case; the items are compared exactly here.
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i] != text)
            continue;
        if (SendMessageW(hwnd_, CB_GETCURSEL, 0, 0) != static_cast<LRESULT>(i)) {
            SendMessageW(hwnd_, CB_SETCURSEL, i, 0);
            changed.raise();
        }
        return true;
    }
    return false;
}

void Win32DropDownList::onCommand(WORD code) {
    if (code == CBN_SELCHANGE)
        changed.raise();
}

Win32ProgressBar::Win32ProgressBar(Win32Window& window, const char* name)
    : Win32Control(window, name) {
    // The idle text shows until monitoring first switches on, as switching off sets it again.
    Win32ProgressBar::setText(kProgressBarIdleText);
}

void Win32ProgressBar::setProgress(int position, int maximum) {
    SendMessageW(hwnd_, PBM_SETRANGE32, 0, maximum);
    SendMessageW(hwnd_, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void Win32ProgressBar::setText(const std::string& text) {
    if (text == windowText(hwnd_))
        return;
    // The bar keeps the text as its window text, which it never draws itself.
    SetWindowTextW(hwnd_, widen(text).c_str());
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void Win32ProgressBar::draw(HDC dc) {
    RECT area;
    GetClientRect(hwnd_, &area);
    // Drawn off screen first, so that the text does not flicker over a bar painted anew.
    HDC buffer = CreateCompatibleDC(dc);
    HBITMAP picture = CreateCompatibleBitmap(dc, area.right, area.bottom);
    HGDIOBJ oldPicture = SelectObject(buffer, picture);
    Win32Window::byControlClass(hwnd_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(buffer),
                                PRF_CLIENT);
    const std::wstring text = wideWindowText(hwnd_);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = font ? SelectObject(buffer, font) : nullptr;
    SetBkMode(buffer, TRANSPARENT);
    // Over the fill the text takes the colour of selected text, beside it the window's text
    // colour, so that it reads on both.
    PBRANGE range{};
    SendMessageW(hwnd_, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    const auto position = static_cast<long long>(SendMessageW(hwnd_, PBM_GETPOS, 0, 0));
    const long long span = std::max(range.iHigh - range.iLow, 1);
    const auto filled = static_cast<int>(
        std::clamp((position - range.iLow) * area.right / span, 0LL, 0LL + area.right));
    const RECT parts[2] = {{0, 0, filled, area.bottom}, {filled, 0, area.right, area.bottom}};
    const int colours[2] = {COLOR_HIGHLIGHTTEXT, COLOR_WINDOWTEXT};
    for (int i = 0; i < 2; ++i) {
        HRGN clip = CreateRectRgnIndirect(&parts[i]);
        SelectClipRgn(buffer, clip);
        SetTextColor(buffer, GetSysColor(colours[i]));
        DrawTextW(buffer, text.c_str(), static_cast<int>(text.size()), &area,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        SelectClipRgn(buffer, nullptr);
        DeleteObject(clip);
    }
    if (oldFont)
        SelectObject(buffer, oldFont);
    BitBlt(dc, 0, 0, area.right, area.bottom, buffer, 0, 0, SRCCOPY);
    SelectObject(buffer, oldPicture);
    DeleteObject(picture);
    DeleteDC(buffer);
}

void Win32Caption::setText(const std::string& text) {
    wchar_t className[16] = {};
    GetClassNameW(hwnd_, className, 16);
    const bool frame = lstrcmpiW(className, WC_BUTTONW) == 0 &&
                       (GetWindowLongW(hwnd_, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
    // A frame's title takes no access key; a label's does.
    SetWindowTextW(hwnd_, widen(frame ? markAccessKey(text, '\0') : shownCaption(text)).c_str());
    // A frame's title is drawn over the window: repaint what the old one covered.
    RECT area;
    GetWindowRect(hwnd_, &area);
    MapWindowPoints(nullptr, window_.hwnd(), reinterpret_cast<POINT*>(&area), 2);
    // Of a frame only its title's line, so that the controls inside (the progress bar under
    // the countdown, which changes each second) are not painted again.
    if (frame) {
        HDC dc = GetDC(hwnd_);
        const auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
        HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
        TEXTMETRICW metrics{};
        if (GetTextMetricsW(dc, &metrics))
            area.bottom = std::min(area.bottom, area.top + metrics.tmHeight + 1);
        if (oldFont)
            SelectObject(dc, oldFont);
        ReleaseDC(hwnd_, dc);
    }
    InvalidateRect(window_.hwnd(), &area, TRUE);
}

} // namespace tw
