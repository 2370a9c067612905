#pragma once

#include "platform/tray_host.h"

#include <functional>
#include <string>
#include <vector>

namespace tw::test {

// A picture of a given kind, told apart by its name.
class FakePicture : public Picture {
  public:
    FakePicture(PictureType type, std::string pictureName)
        : type_(type), name(std::move(pictureName)) {}
    PictureType type() const override { return type_; }

  private:
    PictureType type_;

  public:
    std::string name;
};

// A notification area that records every call and lets tests report mouse and balloon
// notifications as the platform would.
class FakeTrayHost : public TrayHost {
  public:
    bool areaRunning() const override { return areaUp; }
    void add(const Picture* picture, const std::string& text) override {
        calls.push_back("add");
        shown = true;
        icon = nameOf(picture);
        tip = text;
    }
    void remove() override {
        calls.push_back("remove");
        shown = false;
        if (balloonShowing)
            notify(TrayNotification::BalloonHidden);
    }
    void setIcon(const Picture& picture) override {
        calls.push_back("setIcon");
        icon = nameOf(&picture);
    }
    void setTip(const std::string& text) override {
        calls.push_back("setTip");
        tip = text;
    }
    void showBalloon(const std::string& text, const std::string& title, int timeoutMs) override {
        calls.push_back("showBalloon");
        balloons.push_back({text, title, timeoutMs});
        balloonShowing = true;
    }
    void removeBalloon() override {
        calls.push_back("removeBalloon");
        balloonShowing = false;
    }
    void setReceiver(std::function<void(TrayNotification)> receiver) override {
        receiver_ = std::move(receiver);
    }

    // Reports a notification to the control, as the platform does.
    void notify(TrayNotification n) {
        if (n == TrayNotification::BalloonHidden || n == TrayNotification::BalloonClicked ||
            n == TrayNotification::BalloonTimedOut)
            balloonShowing = false;
        if (receiver_)
            receiver_(n);
    }
    bool hasReceiver() const { return static_cast<bool>(receiver_); }

    struct Balloon {
        std::string text;
        std::string title;
        int timeoutMs;
    };
    std::vector<std::string> calls;
    std::vector<Balloon> balloons;
    bool areaUp = true;
    bool shown = false;
    bool balloonShowing = false;
    std::string icon; // name of the picture shown, "" for none
    std::string tip;

  private:
    static std::string nameOf(const Picture* picture) {
        const auto* fake = dynamic_cast<const FakePicture*>(picture);
        return fake ? fake->name : std::string();
    }
    std::function<void(TrayNotification)> receiver_;
};

} // namespace tw::test
