#pragma once

#include "platform/tray_host.h"
#include "platform/win32/win32_icon.h"

#include <windows.h>

#include <shellapi.h>

namespace tw {

// One icon in the taskbar's notification area through Shell_NotifyIconW. A hidden window
// of its own receives the icon's messages, and the shell's restart, after which the icon
// is put back.
class Win32TrayHost : public TrayHost {
  public:
    explicit Win32TrayHost(HINSTANCE instance);
    ~Win32TrayHost() override;
    Win32TrayHost(const Win32TrayHost&) = delete;
    Win32TrayHost& operator=(const Win32TrayHost&) = delete;

    bool areaRunning() const override;
    void add(const Picture* icon, const std::string& tip) override;
    void remove() override;
    void setIcon(const Picture& icon) override;
    void setTip(const std::string& tip) override;
    void showBalloon(const std::string& text, const std::string& title, int timeoutMs) override;
    void removeBalloon() override;
    void setReceiver(std::function<void(TrayNotification)> receiver) override;
    // Shows a balloon with the warning sign at the icon, for the shell to time out; false when
    // the shell took none (no taskbar, or the icon is out of the notification area).
    bool showWarningBalloon(const std::string& text, const std::string& title);

    HWND window() const { return window_; }

  private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    NOTIFYICONDATAW record(UINT flags) const;
    void notify(UINT message);
    void giveIconToShell();
    // Makes the host's window a top-level one, which hears the shell restart.
    void hearsShellRestart();
    void addIfPending();

    HWND window_ = nullptr;
    bool topLevel_ = false;
    UINT taskbarCreated_ = 0;
    bool shown_ = false;
    // add() was asked and the shell not yet told.
    bool addPending_ = false;
    HICON icon_ = nullptr;
    std::wstring tip_;
    std::function<void(TrayNotification)> receiver_;
};

} // namespace tw
