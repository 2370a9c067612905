#include "tray/tray_host.h"

namespace tw {

std::vector<TrayNotification> notificationsFor(TrayActivation activation) {
    switch (activation) {
    case TrayActivation::Trigger:
        return {TrayNotification::LeftDown, TrayNotification::LeftUp};
    case TrayActivation::Context:
        return {TrayNotification::RightDown, TrayNotification::RightUp};
    case TrayActivation::DoubleClick:
        return {TrayNotification::LeftDblClick};
    case TrayActivation::MiddleClick:
    case TrayActivation::Unknown:
        break;
    }
    return {};
}

} // namespace tw
