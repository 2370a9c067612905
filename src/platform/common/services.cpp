#include "platform/services.h"

#include "core/product.h"
#include "platform/autostart.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/common/safe_settings_store.h"
#include "platform/dialogs.h"
#include "platform/end_requests.h"
#include "platform/event_pump.h"
#include "platform/launcher.h"
#include "platform/locale_text.h"
#include "platform/notifier.h"
#include "platform/processes.h"
#include "platform/settings_store.h"
#include "platform/timer.h"
#include "platform/tray_host.h"
#include "platform/windows.h"

namespace tw {

PlatformServices::PlatformServices() = default;
PlatformServices::~PlatformServices() = default;
QuestionServices::~QuestionServices() = default;

Services PlatformServices::view() {
    if (!storeProtected_) {
        storeProtected_ = true;
        store = std::make_unique<SafeSettingsStore>(
            std::move(store), [&dialogs = *dialogs](const std::string& message) {
                dialogs.messageBox(message, kProductTitle, Buttons::Ok, Icon::Warning);
            });
    }
    return {*clock,        *locale,    *store,         *dialogs,    *events,
            *launcher,     *processes, *windows,       *autostart,  *clipboard,
            *monitorTimer, *trayHost,  *trayWaitTimer, programIcon, *notifier};
}

} // namespace tw
