// The Windows backend: processes from Toolhelp, windows through user32, launching through the
// shell, settings and start at logon in the user's registry, a waitable-timer clock tick,
// notifications as balloons at the tray icon.
#include "platform/services.h"
#include "platform/win32/balloon_notifier.h"
#include "platform/win32/message_pump.h"
#include "platform/win32/registry_settings_store.h"
#include "platform/win32/run_key_autostart.h"
#include "platform/win32/shell_launcher.h"
#include "platform/win32/system_clock.h"
#include "platform/win32/toolhelp_processes.h"
#include "platform/win32/wall_clock_timer.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_icon.h"
#include "platform/win32/win32_locale_text.h"
#include "platform/win32/win32_tray_host.h"
#include "platform/win32/win32_windows.h"

#include <shlobj.h>

namespace tw {

namespace {

// %LOCALAPPDATA%, where a user's programs keep what must not roam between machines; "" when
// the shell cannot say (the history then stays in the window).
// Asked in the form that fills a buffer of ours: the one that allocates would need ole32's
// CoTaskMemFree, and ole32 with its COM runtime costs every start its loading.
std::string localAppDataFolder() {
    wchar_t folder[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return {};
    return narrow(folder);
}

} // namespace

std::string displayProblem() {
    return {}; // a Windows session always has its desktop
}

QuestionServices makeQuestionServices() {
    std::string history = localAppDataFolder();
    if (!history.empty())
        history += "\\Tidewell";
    return {std::make_unique<SystemClock>(), std::make_unique<Win32LocaleText>(),
            std::make_unique<RegistrySettingsStore>(), std::move(history)};
}

std::unique_ptr<PlatformServices> makePlatformServices() {
    auto s = std::make_unique<PlatformServices>();
    QuestionServices basic = makeQuestionServices();
    s->clock = std::move(basic.clock);
    s->locale = std::move(basic.locale);
    s->store = std::move(basic.store);
    s->dialogs = std::make_unique<Win32Dialogs>();
    s->events = std::make_unique<MessagePump>();
    s->launcher = std::make_unique<ShellLauncher>();
    s->processes = std::make_unique<ToolhelpProcesses>();
    s->windows = std::make_unique<Win32Windows>(s->events.get());
    auto autostart = std::make_unique<RunKeyAutostart>();
    s->programFolder = autostart->executableFolder();
    s->autostart = std::move(autostart);
    s->historyFolder = std::move(basic.historyFolder);
    s->clipboard = std::make_unique<Win32Clipboard>();
    s->monitorTimer = std::make_unique<WallClockTimer>();
    auto trayHost = std::make_unique<Win32TrayHost>(GetModuleHandleW(nullptr));
    s->notifier = std::make_unique<BalloonNotifier>(*trayHost);
    s->trayHost = std::move(trayHost);
    s->trayWaitTimer = std::make_unique<WallClockTimer>();
    if (const HICON icon = programIcon(SM_CXSMICON, SM_CYSMICON))
        s->programIcon = std::make_shared<Win32Icon>(icon);
    // The session's end reaches the main window itself (WM_ENDSESSION), as its closing does.
    return s;
}

} // namespace tw
