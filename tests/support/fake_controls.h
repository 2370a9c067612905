#pragma once

// The main window's controls without a toolkit. They raise their events the way the Qt and
// Win32 adapters do (the contract suite runs over these too): once per change, by code or by
// the user, again from inside a handler that changes its own control, and the window's state
// change posted to the event loop.

#include "core/day_names.h"
#include "support/fake_clock.h"
#include "support/memory_list_view.h"
#include "window/controls.h"
#include "window/window_layout.h"

#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace tw::test {

// Which control of the window has the keyboard focus; a box it leaves for another control
// raises its lostFocus.
class FakeFocus {
  public:
    void moveTo(Control& control);
    const Control* focused() const { return focused_; }

  private:
    Control* focused_ = nullptr;
};

// Where a click puts the keyboard focus; set by the window.
struct FocusTaker {
    FakeFocus* focus = nullptr;
};

template <class Interface> class FakeControl : public Interface, public FocusTaker {
  public:
    using Interface::Interface;
    void setVisible(bool visible) override { shown = visible; }
    void setEnabled(bool enabled) override { usable = enabled; }

    bool shown = true;
    bool usable = true;

  protected:
    void takeFocus() {
        if (focus)
            focus->moveTo(*this);
    }
};

class FakePushButton : public FakeControl<PushButton> {
  public:
    std::string caption() const override { return text; }
    void setCaption(const std::string& caption) override { text = caption; }
    // The user clicks the button.
    void click() {
        takeFocus();
        clicked.raise();
    }
    std::string text;
};

class FakeCheckBox : public FakeControl<CheckBox> {
  public:
    int value() const override { return value_; }
    void setValue(int value) override {
        if (value < 0 || value > 2)
            throw std::invalid_argument("Invalid property value");
        if (value == value_)
            return;
        value_ = value;
        changed.raise();
    }
    // A click checks a clear or greyed box and clears a checked one.
    void click() {
        takeFocus();
        setValue(value_ == 1 ? 0 : 1);
    }

  private:
    int value_ = 0;
};

class FakeOptionButton : public FakeControl<OptionButton> {
  public:
    bool selected() const override { return selected_; }
    void setSelected(bool selected) override {
        if (selected == selected_)
            return;
        if (!selected) {
            selected_ = false;
            return;
        }
        selectInGroup();
        clicked.raise();
    }
    // The user clicks the option: it is selected, or clicked again while selected.
    void click() {
        takeFocus();
        selectInGroup();
        clicked.raise();
    }
    // Selects it before any handler is set, as the designed window does.
    void selectAsDesigned() { selectInGroup(); }

    // The options of its frame, itself among them.
    std::vector<FakeOptionButton*> group;

  private:
    void selectInGroup() {
        for (FakeOptionButton* other : group)
            other->selected_ = false;
        selected_ = true;
    }
    bool selected_ = false;
};

class FakeTextBox : public FakeControl<TextBox> {
  public:
    std::string text() const override { return text_; }
    void setText(const std::string& text) override {
        if (text == text_)
            return;
        text_ = text;
        changed.raise();
    }
    void setFocus() override { takeFocus(); }
    // The user types these characters at the end of the text, one change each.
    void type(const std::string& keys) {
        takeFocus();
        for (const char key : keys)
            setText(text_ + key);
    }

  private:
    std::string text_;
};

class FakeTimePicker : public FakeControl<TimePicker> {
  public:
    TimeOfDay time() const override { return time_; }
    void setTime(const TimeOfDay& time) override {
        if (time == time_)
            return;
        time_ = time;
        changed.raise();
    }

  private:
    TimeOfDay time_{};
};

class FakeDropDownList : public FakeControl<DropDownList> {
  public:
    std::string text() const override { return chosen_; }
    bool choose(const std::string& text) override {
        for (const std::string& item : items) {
            if (item != text)
                continue;
            if (chosen_ != item) {
                chosen_ = item;
                changed.raise();
            }
            return true;
        }
        return false;
    }
    std::vector<std::string> items;

  private:
    std::string chosen_;
};

class FakeProgressBar : public FakeControl<ProgressBar> {
  public:
    void setProgress(int filled, int top) override {
        if (filled < 0 || top < 1 || filled > top)
            throw std::out_of_range("Invalid property value");
        position = filled;
        maximum = top;
    }
    void setText(const std::string& value) override { text = value; }
    int position = 0;
    int maximum = 100;
    std::string text = "Progress Bar";
};

class FakeCaption : public FakeControl<Caption> {
  public:
    void setText(const std::string& value) override { text = value; }
    std::string text;
};

class FakeListControl : public FakeControl<MemoryList<ListControl>> {
  public:
    using FakeControl::FakeControl;
    // The user presses Delete in the list; only a selected row asks for its deletion.
    void pressDelete() {
        takeFocus();
        if (hasSelection())
            deletePressed.raise();
    }
};

// The window: its state change is reported once the change is done, from the event loop,
// as both toolkits do.
class FakeWindowControl : public FakeControl<WindowControl> {
  public:
    explicit FakeWindowControl(FakeEventPump& events) : events_(events) {}

    void setTitle(const std::string& value) override { title = value; }
    void showProgramIcon() override { hasProgramIcon = true; }
    bool isMinimised() const override { return minimised; }
    void minimise() override { setMinimised(true); }
    void hide() override {
        shown = false;
        calls.push_back("hide");
    }
    void setNormalState() override {
        calls.push_back("normal");
        setMinimised(false);
    }
    void showAndActivate() override {
        shown = true;
        calls.push_back("show+activate");
        setMinimised(false);
    }
    void loadCustomPointer(const std::string& path) override {
        std::ifstream file(path, std::ios::binary);
        if (file.peek() == std::ifstream::traits_type::eof())
            throw std::runtime_error("Invalid picture");
        customPointer = path;
    }
    void setPointer(Pointer pointer) override {
        shownPointer = customPointer.empty() ? Pointer::Default : pointer;
    }
    void applySkinColours() override { skinned = true; }

    std::string title;
    bool hasProgramIcon = false;
    bool minimised = false;
    std::string customPointer; // the cursor file loaded, "" for none
    Pointer shownPointer = Pointer::Default;
    bool skinned = false;
    // What hiding to and restoring from the tray did, in order.
    std::vector<std::string> calls;

  private:
    void setMinimised(bool value) {
        if (value == minimised)
            return;
        minimised = value;
        events_.post([this] { stateChanged.raise(); });
    }
    FakeEventPump& events_;
};

// Every control of the main window as a fake, in the designed window's first state (the
// captions, the selected options, the hidden box), named as the front ends name them.
class FakeForm {
  public:
    explicit FakeForm(FakeEventPump& events);
    FakeForm(const FakeForm&) = delete;
    FakeForm& operator=(const FakeForm&) = delete;

    // The controls, to hand to the window's behaviour.
    MainWindowControls controls();
    // The control of this control name; throws when there is none of that kind.
    template <class Fake> Fake& control(const std::string& name) {
        auto* fake = dynamic_cast<Fake*>(byName_.at(name));
        if (!fake)
            throw std::logic_error("The window has no control " + name + " of that kind");
        return *fake;
    }

    FakeFocus focus;
    FakeWindowControl window;
    FakePushButton switchButton, addCloseButton, browseCloseButton, deleteCloseButton,
        closeNowButton, clearCloseButton, closeSampleButton, closeMethodHelpButton, browseRunButton,
        runNowButton, deleteRunButton, clearRunButton, runSampleButton, copyHistoryButton,
        clearHistoryButton;
    FakeCaption statusFrame, closeFrame, closeMethodFrame, startupFrame, scheduleFrame, runFrame,
        historyFrame, hoursLabel, minutesLabel, secondsLabel;
    FakeProgressBar progressBar;
    FakeCheckBox closeEnabled, startWithSession, startInTray, runEnabled;
    FakeOptionButton softClose, hardClose, everyX, daily, weekly;
    FakeTextBox hours, minutes, seconds;
    FakeTimePicker timePicker;
    FakeDropDownList dayList;
    FakeListControl runList{"ListView1"}, closeList{"ListView2"}, history{"ListView3"};

  private:
    std::map<std::string, Control*> byName_;
};

inline void FakeFocus::moveTo(Control& control) {
    Control* left = focused_;
    focused_ = &control;
    if (left && left != &control)
        if (auto* box = dynamic_cast<TextBox*>(left))
            box->lostFocus.raise();
}

inline FakeForm::FakeForm(FakeEventPump& events) : window(events) {
    byName_ = {{"Form1", &window},
               {"PushButton2", &switchButton},
               {"Frame4", &statusFrame},
               {"ProgressBar1", &progressBar},
               {"Frame3", &closeFrame},
               {"Check2", &closeEnabled},
               {"ListView2", &closeList},
               {"PushButton4", &addCloseButton},
               {"PushButton8", &browseCloseButton},
               {"PushButton7", &deleteCloseButton},
               {"PushButton9", &closeNowButton},
               {"PushButton11", &clearCloseButton},
               {"PushButton12", &closeSampleButton},
               {"Frame7", &closeMethodFrame},
               {"Option7", &softClose},
               {"Option6", &hardClose},
               {"PushButton10", &closeMethodHelpButton},
               {"Frame5", &startupFrame},
               {"Check4", &startWithSession},
               {"Check8", &startInTray},
               {"Frame1", &scheduleFrame},
               {"Option3", &everyX},
               {"Label1", &hoursLabel},
               {"Text1", &hours},
               {"Label2", &minutesLabel},
               {"Text2", &minutes},
               {"Label3", &secondsLabel},
               {"Text3", &seconds},
               {"Option2", &daily},
               {"dtpWeekly", &timePicker},
               {"Option1", &weekly},
               {"cboWeekly", &dayList},
               {"Frame2", &runFrame},
               {"Check1", &runEnabled},
               {"ListView1", &runList},
               {"PushButton3", &browseRunButton},
               {"PushButton1", &runNowButton},
               {"PushButton6", &deleteRunButton},
               {"PushButton13", &clearRunButton},
               {"PushButton14", &runSampleButton},
               {"Frame6", &historyFrame},
               {"ListView3", &history},
               {"PushButton16", &copyHistoryButton},
               {"PushButton15", &clearHistoryButton}};
    for (FakeOptionButton* option : {&everyX, &daily, &weekly})
        option->group = {&everyX, &daily, &weekly};
    for (FakeOptionButton* option : {&softClose, &hardClose})
        option->group = {&softClose, &hardClose};
    for (const char* day : kDayNames)
        dayList.items.push_back(day);
    // The designed window's first state, as the front ends build it from the layout table.
    for (const ControlPlace& place : mainWindowControls()) {
        Control& control = *byName_.at(place.name);
        if (auto* button = dynamic_cast<FakePushButton*>(&control))
            button->text = place.caption;
        else if (auto* caption = dynamic_cast<FakeCaption*>(&control))
            caption->text = place.caption;
        else if (auto* option = dynamic_cast<FakeOptionButton*>(&control); option && place.flag)
            option->selectAsDesigned();
        else if (auto* box = dynamic_cast<FakeCheckBox*>(&control))
            box->shown = !place.flag;
    }
    for (auto& named : byName_)
        dynamic_cast<FocusTaker&>(*named.second).focus = &focus;
}

inline MainWindowControls FakeForm::controls() {
    return MainWindowControls{.window = window,
                              .switchButton = switchButton,
                              .statusFrame = statusFrame,
                              .progressBar = progressBar,
                              .closeFrame = closeFrame,
                              .closeEnabled = closeEnabled,
                              .closeList = closeList,
                              .addCloseButton = addCloseButton,
                              .browseCloseButton = browseCloseButton,
                              .deleteCloseButton = deleteCloseButton,
                              .closeNowButton = closeNowButton,
                              .clearCloseButton = clearCloseButton,
                              .closeSampleButton = closeSampleButton,
                              .closeMethodFrame = closeMethodFrame,
                              .softClose = softClose,
                              .hardClose = hardClose,
                              .closeMethodHelpButton = closeMethodHelpButton,
                              .startupFrame = startupFrame,
                              .startWithSession = startWithSession,
                              .startInTray = startInTray,
                              .scheduleFrame = scheduleFrame,
                              .everyX = everyX,
                              .hoursLabel = hoursLabel,
                              .hours = hours,
                              .minutesLabel = minutesLabel,
                              .minutes = minutes,
                              .secondsLabel = secondsLabel,
                              .seconds = seconds,
                              .daily = daily,
                              .timePicker = timePicker,
                              .weekly = weekly,
                              .dayList = dayList,
                              .runFrame = runFrame,
                              .runEnabled = runEnabled,
                              .runList = runList,
                              .browseRunButton = browseRunButton,
                              .runNowButton = runNowButton,
                              .deleteRunButton = deleteRunButton,
                              .clearRunButton = clearRunButton,
                              .runSampleButton = runSampleButton,
                              .historyFrame = historyFrame,
                              .history = history,
                              .copyHistoryButton = copyHistoryButton,
                              .clearHistoryButton = clearHistoryButton};
}

} // namespace tw::test
