#pragma once

#include "schedule/schedule_view.h"
#include "tray/start_with_session.h"
#include "window/controls.h"

namespace tw {

// What the schedule's handlers show, over the window's controls: the schedule frame's
// inputs, the monitoring switch, the status line and the bar.
class ScheduleOnControls : public ScheduleView {
  public:
    explicit ScheduleOnControls(const MainWindowControls& controls) : c_(controls) {}

    void focusField(EveryXField field) override { box(field).setFocus(); }
    void setTimeEnabled(bool enabled) override { c_.timePicker.setEnabled(enabled); }
    void setDayEnabled(bool enabled) override { c_.dayList.setEnabled(enabled); }
    void setStatus(const std::string& text) override { c_.statusFrame.setText(text); }
    void setBarMaximum(std::int32_t maximum) override;
    void setBarPosition(std::int32_t position) override;
    void setBarText(const std::string& text) override { c_.progressBar.setText(text); }
    std::string switchCaption() const override { return c_.switchButton.caption(); }
    void setSwitchCaption(const std::string& caption) override;
    void restoreDefaultPointer() override { c_.window.setPointer(Pointer::Default); }

    // The hours, minutes or seconds box.
    TextBox& box(EveryXField field) const;

  private:
    void showBar();

    const MainWindowControls& c_;
    // The bar's numbers as the schedule sets them; the bar shows them within its range.
    std::int32_t barMaximum_ = 0;
    std::int32_t barPosition_ = 0;
};

// The two start-up option boxes over the window's check boxes.
class StartupBoxesOnControls : public StartupBoxes {
  public:
    StartupBoxesOnControls(CheckBox& withSession, CheckBox& inTray)
        : withSession_(withSession), inTray_(inTray) {}
    bool startWithSession() const override { return withSession_.value() == 1; }
    void setStartWithSession(bool checked) override { withSession_.setValue(checked ? 1 : 0); }
    bool startInTray() const override { return inTray_.value() == 1; }
    void setStartInTray(bool checked) override { inTray_.setValue(checked ? 1 : 0); }
    void setStartInTrayVisible(bool visible) override { inTray_.setVisible(visible); }

  private:
    CheckBox& withSession_;
    CheckBox& inTray_;
};

// The schedule as the controls show it before any handler runs: the designed window.
ScheduleState scheduleShownBy(const MainWindowControls& controls);

} // namespace tw
