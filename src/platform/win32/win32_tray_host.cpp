#include "platform/win32/win32_tray_host.h"

#include "platform/win32/escaped_failure.h"
#include "platform/win32/wide_text.h"

#include <algorithm>
#include <cwchar>
#include <stdexcept>

namespace tw {

namespace {
constexpr wchar_t kTrayClass[] = L"TidewellTrayWindow";
// The message the shell sends about the icon: lParam is the mouse or balloon message,
// wParam the icon's id.
constexpr UINT kTrayMessage = 0x0465;
// Posted to the host's own window by add(): the icon goes to the shell from the message loop.
constexpr UINT kAddIcon = WM_APP + 1;

// Copies text into a fixed field with its terminating NUL: longer text is cut.
template <size_t N> void fill(wchar_t (&field)[N], const std::wstring& text) {
    const size_t n = std::min(text.size(), N - 1);
    std::wmemcpy(field, text.data(), n);
    field[n] = L'\0';
}
} // namespace

Win32TrayHost::Win32TrayHost(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(instance, kTrayClass, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &Win32TrayHost::windowProc;
        wc.hInstance = instance;
        wc.lpszClassName = kTrayClass;
        RegisterClassExW(&wc);
    }
    // Message-only until the icon first goes to the shell (hearsShellRestart): a top-level
    // window, even one never shown, costs the start a window of the display server under Wine.
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kTrayClass, L"Tidewell tray", WS_POPUP, 0, 0, 0, 0,
                              HWND_MESSAGE, nullptr, instance, nullptr);
    if (!window_)
        throw std::runtime_error("The tray icon's window could not be created");
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
}

Win32TrayHost::~Win32TrayHost() {
    if (shown_)
        remove();
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

NOTIFYICONDATAW Win32TrayHost::record(UINT flags) const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window_;
    data.uID = 0;
    data.uFlags = flags;
    return data;
}

bool Win32TrayHost::areaRunning() const {
    // The taskbar's window holds the notification area.
    return FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr;
}

void Win32TrayHost::add(const Picture* icon, const std::string& tip) {
    const auto* win32Icon = dynamic_cast<const Win32Icon*>(icon);
    icon_ = win32Icon ? win32Icon->handle() : nullptr;
    tip_ = widen(tip);
    shown_ = true;
    // The shell answers from another process, which makes its own window for the icon: at
    // start-up that would hold back the main window. The icon is handed over once the loop
    // runs, or before anything else is asked of the shell about it, so the shell still hears
    // everything in the order it was asked.
    if (!addPending_ && PostMessageW(window_, kAddIcon, 0, 0))
        addPending_ = true;
    else if (!addPending_)
        giveIconToShell();
}

void Win32TrayHost::hearsShellRestart() {
    // Only top-level windows hear that the shell restarted (TaskbarCreated), never shown.
    if (!topLevel_)
        topLevel_ = SetParent(window_, nullptr) != nullptr;
}

void Win32TrayHost::giveIconToShell() {
    addPending_ = false;
    hearsShellRestart();
    NOTIFYICONDATAW data = record(NIF_MESSAGE);
    data.uCallbackMessage = kTrayMessage;
    if (icon_) {
        data.uFlags |= NIF_ICON;
        data.hIcon = icon_;
    }
    if (!tip_.empty()) {
        data.uFlags |= NIF_TIP;
        fill(data.szTip, tip_);
    }
    // The shell may refuse (no taskbar yet): the icon comes when the taskbar announces itself.
    Shell_NotifyIconW(NIM_ADD, &data);
}

void Win32TrayHost::addIfPending() {
    if (addPending_)
        giveIconToShell();
}

void Win32TrayHost::remove() {
    shown_ = false;
    if (addPending_) {
        // The shell never had it.
        addPending_ = false;
        return;
    }
    NOTIFYICONDATAW data = record(0);
    Shell_NotifyIconW(NIM_DELETE, &data);
}

void Win32TrayHost::setIcon(const Picture& icon) {
    const auto* win32Icon = dynamic_cast<const Win32Icon*>(&icon);
    if (!win32Icon)
        return;
    icon_ = win32Icon->handle();
    addIfPending();
    NOTIFYICONDATAW data = record(NIF_ICON);
    data.hIcon = icon_;
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

void Win32TrayHost::setTip(const std::string& tip) {
    tip_ = widen(tip);
    addIfPending();
    NOTIFYICONDATAW data = record(NIF_TIP);
    fill(data.szTip, tip_);
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

void Win32TrayHost::showBalloon(const std::string& text, const std::string& title, int timeoutMs) {
    addIfPending();
    NOTIFYICONDATAW data = record(NIF_INFO);
    fill(data.szInfo, widen(text));
    fill(data.szInfoTitle, widen(title));
    data.uTimeout = static_cast<UINT>(std::max(timeoutMs, 0));
    data.dwInfoFlags = NIIF_NONE;
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

bool Win32TrayHost::showWarningBalloon(const std::string& text, const std::string& title) {
    addIfPending();
    NOTIFYICONDATAW data = record(NIF_INFO);
    fill(data.szInfo, widen(text));
    fill(data.szInfoTitle, widen(title));
    data.dwInfoFlags = NIIF_WARNING;
    if (Shell_NotifyIconW(NIM_MODIFY, &data))
        return true;
    if (!shown_ || !areaRunning())
        return false;
    // A shell that refused the icon at start-up (no taskbar yet) or lost it without saying so
    // gets it once more, so that the balloon has an icon to point at.
    giveIconToShell();
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void Win32TrayHost::removeBalloon() {
    addIfPending();
    NOTIFYICONDATAW data = record(NIF_INFO);
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

void Win32TrayHost::setReceiver(std::function<void(TrayNotification)> receiver) {
    receiver_ = std::move(receiver);
}

void Win32TrayHost::notify(UINT message) {
    TrayNotification n;
    switch (message) {
    case WM_MOUSEMOVE:
        n = TrayNotification::MouseMove;
        break;
    case WM_LBUTTONDOWN:
        n = TrayNotification::LeftDown;
        break;
    case WM_LBUTTONUP:
        n = TrayNotification::LeftUp;
        break;
    case WM_LBUTTONDBLCLK:
        n = TrayNotification::LeftDblClick;
        break;
    case WM_RBUTTONDOWN:
        n = TrayNotification::RightDown;
        break;
    case WM_RBUTTONUP:
        n = TrayNotification::RightUp;
        break;
    case WM_RBUTTONDBLCLK:
        n = TrayNotification::RightDblClick;
        break;
    case NIN_BALLOONSHOW:
        n = TrayNotification::BalloonShown;
        break;
    case NIN_BALLOONHIDE:
        n = TrayNotification::BalloonHidden;
        break;
    case NIN_BALLOONTIMEOUT:
        n = TrayNotification::BalloonTimedOut;
        break;
    case NIN_BALLOONUSERCLICK:
        n = TrayNotification::BalloonClicked;
        break;
    default:
        return;
    }
    if (receiver_)
        receiver_(n);
}

LRESULT CALLBACK Win32TrayHost::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32TrayHost*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && message == kAddIcon) {
        guarded(nullptr, [&] { self->addIfPending(); });
        return 0;
    }
    if (self && message == kTrayMessage) {
        guarded(nullptr, [&] { self->notify(static_cast<UINT>(lParam)); });
        return 0;
    }
    if (self && message == self->taskbarCreated_ && self->taskbarCreated_ != 0) {
        // The shell restarted and forgot every icon: put ours back as it was.
        if (self->shown_)
            guarded(nullptr, [&] { self->giveIconToShell(); });
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace tw
