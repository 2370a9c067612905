#include "tray/tray_icon.h"

#include "platform/clock.h"
#include "platform/event_pump.h"

#include <algorithm>

namespace tw {

namespace {
constexpr std::int16_t kLeftButton = 1;
constexpr std::int16_t kRightButton = 2;
constexpr double kSecondsPerDay = 86400.0;

template <typename Handler, typename... Args> void raise(const Handler& handler, Args... args) {
    if (handler)
        handler(args...);
}
} // namespace

TrayIcon::TrayIcon(TrayHost& host, const Clock& clock, EventPump& events,
                   const TrayIconProperties& initial)
    : host_(host), clock_(clock), pump_(events) {
    host_.setReceiver([this](TrayNotification n) { onNotification(n); });
    setInTray(initial.inTray);
    setTrayIcon(initial.icon);
    setTrayTip(initial.tip);
}

TrayIcon::~TrayIcon() {
    if (inTray_)
        setInTray(false);
    host_.setReceiver(nullptr);
}

void TrayIcon::setTrayIcon(const PicturePtr& picture) {
    if (!picture || picture->type() != PictureType::Icon)
        return;
    if (active_)
        host_.setIcon(*picture);
    icon_ = picture;
}

void TrayIcon::setTrayTip(const std::string& tip) {
    if (active_)
        host_.setTip(firstCharacters(tip, kTipChars));
    tip_ = tip;
}

void TrayIcon::setInTray(bool inTray) {
    if (inTray == inTray_)
        return;
    if (inTray) {
        host_.add(icon_.get(), firstCharacters(tip_, kTipChars));
        active_ = true;
    } else if (active_) {
        host_.remove();
        active_ = false;
    }
    inTray_ = inTray;
}

double TrayIcon::secondsSince(double start) const {
    double elapsed = clock_.secondsSinceMidnight() - start;
    if (elapsed < 0) // the wait went past midnight
        elapsed += kSecondsPerDay;
    return elapsed;
}

void TrayIcon::showBalloon(const std::string& text, const std::string& title, int timeoutSeconds,
                           bool onceOnly) {
    if (onceOnly && onceCount_ >= 1)
        return;
    host_.showBalloon(firstCharacters(text, kBalloonTextChars),
                      firstCharacters(title, kBalloonTitleChars),
                      timeoutSeconds > 0 ? timeoutSeconds * 1000 : 0);
    balloonUp_ = true;
    if (onceOnly)
        ++onceCount_;
    if (timeoutSeconds <= 0)
        return;

    const double start = clock_.secondsSinceMidnight();
    for (;;) {
        const double left = timeoutSeconds - secondsSince(start);
        if (!balloonUp_ || left <= 0)
            break;
        // Sleeps until the deadline unless events (the balloon's end among them) come first.
        pump_.waitForEvents(std::max(1, static_cast<int>(left * 1000)));
    }
    // The flag stays up until the host reports the balloon gone.
    if (balloonUp_)
        host_.removeBalloon();
}

void TrayIcon::onNotification(TrayNotification notification) {
    switch (notification) {
    case TrayNotification::MouseMove:
        raise(events_.MouseMove, kIconId);
        break;
    case TrayNotification::LeftDown:
        raise(events_.MouseDown, kLeftButton, kIconId);
        break;
    case TrayNotification::RightDown:
        raise(events_.MouseDown, kRightButton, kIconId);
        break;
    case TrayNotification::LeftUp:
        raise(events_.MouseUp, kLeftButton, kIconId);
        break;
    case TrayNotification::RightUp:
        raise(events_.MouseUp, kRightButton, kIconId);
        break;
    case TrayNotification::LeftDblClick:
        raise(events_.MouseDblClick, kLeftButton, kIconId);
        break;
    case TrayNotification::RightDblClick:
        raise(events_.MouseDblClick, kRightButton, kIconId);
        break;
    case TrayNotification::BalloonHidden:
    case TrayNotification::BalloonTimedOut:
    case TrayNotification::BalloonClicked:
        balloonUp_ = false;
        break;
    case TrayNotification::BalloonShown:
        break;
    }
}

} // namespace tw
