// The Linux backend: processes from /proc, windows through X11 and the Wayland compositor
// of the session, launching through GIO,
// start at logon through XDG autostart, notifications through the desktop's notification
// service, and the portable Qt services.
#include "platform/linux/desktop_notifier.h"
#include "platform/linux/gio_launcher.h"
#include "platform/linux/proc_processes.h"
#include "platform/linux/qt_one_copy.h"
#include "platform/linux/session_windows.h"
#include "platform/linux/system_clock.h"
#include "platform/linux/unix_signals.h"
#include "platform/linux/xdg_autostart.h"
#include "platform/qt/blue_q_icon.h"
#include "platform/qt/config_folder.h"
#include "platform/qt/ini_settings_store.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/qt/qt_locale_text.h"
#include "platform/qt/qt_picture.h"
#include "platform/qt/qt_tray_host.h"
#include "platform/qt/wall_clock_timer.h"
#include "platform/services.h"

#include <QCoreApplication>
#include <stdexcept>

namespace tw {

namespace {

// The history journal's folder, "" without a home folder at all (the history is then kept in
// the window only).
std::string historyFolder() {
    try {
        return userStateDirectory() + "/tidewell";
    } catch (const std::runtime_error&) {
        return {};
    }
}

} // namespace

QuestionServices makeQuestionServices() {
    return {std::make_unique<SystemClock>(), std::make_unique<QtLocaleText>(),
            std::make_unique<IniSettingsStore>(), historyFolder()};
}

std::unique_ptr<PlatformServices> makePlatformServices() {
    auto s = std::make_unique<PlatformServices>();
    QuestionServices basic = makeQuestionServices();
    s->clock = std::move(basic.clock);
    s->locale = std::move(basic.locale);
    s->dialogs = std::make_unique<QtDialogs>();
    s->store = std::move(basic.store);
    s->events = std::make_unique<QtEventPump>();
    s->launcher = std::make_unique<GioLauncher>();
    s->processes = std::make_unique<ProcProcesses>();
    s->windows = makeSessionWindows(s->events.get());
    s->autostart = std::make_unique<XdgAutostart>();
    s->clipboard = std::make_unique<QtClipboard>();
    s->monitorTimer = std::make_unique<WallClockTimer>();
    s->trayHost = std::make_unique<QtTrayHost>();
    s->trayWaitTimer = std::make_unique<WallClockTimer>();
    s->programIcon = QtPicture::icon(programIcon());
    s->endRequests = std::make_unique<UnixSignals>();
    s->notifier = std::make_unique<DesktopNotifier>();
    s->programFolder = QCoreApplication::applicationDirPath().toStdString();
    s->historyFolder = std::move(basic.historyFolder);
    return s;
}

std::unique_ptr<OneCopy> makeOneCopy(const std::string& appId) {
    return std::make_unique<QtOneCopy>(QString::fromStdString(appId));
}

} // namespace tw
