#pragma once

#include "frontend/qt/schedule_widgets.h"
#include "schedule/schedule_view.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace tw {

class LocaleText;

// A check box's value as the settings keep it: 0 clear, 1 checked, 2 grayed.
int checkValue(const QCheckBox& box);
// The close method the two option buttons show; either may be missing.
CloseMethod closeMethodOf(const QRadioButton* softClose, const QRadioButton* hardClose);

// The schedule view over the real widgets of the main window.
class QtScheduleView : public ScheduleView {
  public:
    QtScheduleView(const ScheduleWidgets& widgets, const LocaleText& locale);

    bool modeSelected(ScheduleMode mode) const override;
    std::string dayText() const override;
    std::string pickerText() const override;
    TimeOfDay pickerTime() const override;
    std::string fieldText(EveryXField field) const override;
    void focusField(EveryXField field) override;
    int runCheck() const override;
    int closeCheck() const override;
    CloseMethod closeMethod() const override;
    void setTimeEnabled(bool enabled) override;
    void setDayEnabled(bool enabled) override;
    void setStatus(const std::string& text) override;
    void setBarMaximum(std::int32_t maximum) override;
    void setBarPosition(std::int32_t position) override;
    void setBarText(const std::string& text) override;
    std::string switchCaption() const override;
    void setSwitchCaption(const std::string& caption) override;
    void restoreDefaultPointer() override;
    ListView& runList() override;
    ListView& closeList() override;

    QLineEdit* field(EveryXField which) const;

  private:
    void showBar();

    ScheduleWidgets w_;
    const LocaleText& locale_;
    // The bar's numbers as the schedule sets them; the widget shows them within its range.
    std::int32_t barMaximum_ = 0;
    std::int32_t barPosition_ = 0;
};

} // namespace tw
