#pragma once

#include "core/utf8.h"
#include "platform/picture.h"
#include "platform/tray_host.h"
#include "tray/tray_icon_control.h"

#include <cstdint>
#include <functional>
#include <string>

namespace tw {

class Clock;
class EventPump;

// What the owner of a tray icon control hears about the mouse on the icon. Button is
// 1 (left) or 2 (right); Id is the icon's id, always 0.
struct TrayMouseEvents {
    std::function<void(std::int32_t id)> MouseMove;
    std::function<void(std::int16_t button, std::int32_t id)> MouseDown;
    std::function<void(std::int16_t button, std::int32_t id)> MouseUp;
    std::function<void(std::int16_t button, std::int32_t id)> MouseDblClick;
};

// The values a control starts with, assigned through its properties in this order.
struct TrayIconProperties {
    bool inTray = false;
    PicturePtr icon;
    std::string tip = "Telnet Server";
};

// A reusable control that keeps one icon in the notification area, with its tooltip and
// balloon, and turns mouse activity on the icon into events for its owner.
class TrayIcon : public TrayIconControl {
  public:
    // The notification area texts take this many characters at most.
    static constexpr std::size_t kTipChars = 127;
    static constexpr std::size_t kBalloonTextChars = 255;
    static constexpr std::size_t kBalloonTitleChars = 63;
    static constexpr std::int32_t kIconId = 0;

    TrayIcon(TrayHost& host, const Clock& clock, EventPump& events,
             const TrayIconProperties& initial = {});
    ~TrayIcon() override;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Takes only icons; any other picture, or none, is ignored.
    void setTrayIcon(const PicturePtr& picture);
    PicturePtr trayIcon() const { return icon_; }

    void setTrayTip(const std::string& tip) override;
    std::string trayTip() const override { return tip_; }

    void setInTray(bool inTray) override;
    bool inTray() const override { return inTray_; }

    // Shows a balloon at the icon. With a time-out above 0 it waits, handling window
    // events, until that many seconds have passed or the balloon is gone, and then takes
    // away a balloon still showing. With onceOnly it shows only the control's first such
    // balloon.
    void showBalloon(const std::string& text, const std::string& title, int timeoutSeconds,
                     bool onceOnly);

    void setEvents(TrayMouseEvents events) { events_ = std::move(events); }

    // What the notification area reported about the icon.
    void onNotification(TrayNotification notification);

    bool balloonUp() const { return balloonUp_; }
    int onceCount() const { return onceCount_; }

  private:
    double secondsSince(double start) const;

    TrayHost& host_;
    const Clock& clock_;
    EventPump& pump_;
    TrayMouseEvents events_;
    bool inTray_ = false;
    bool active_ = false;
    bool balloonUp_ = false;
    int onceCount_ = 0;
    std::string tip_;
    PicturePtr icon_;
};

} // namespace tw
