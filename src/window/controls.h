#pragma once

// The controls of the main window as its behaviour sees them.
//
// How a front end hands its window over:
// 1. It creates the window and every control in it; geometry, fonts, captions and the
//    control names ("PushButton2", "Check8", ...) are the front end's own business.
// 2. For each control it implements the interface below that matches the control's kind,
//    and a ControlMaker (at the end of this file) that makes them by control name, from
//    which makeMainWindowControls() fills a MainWindowControls.
// 3. It passes that, with the platform's services, to MainWindow (window/main_window.h),
//    which sets the handler of every event it needs.
// 4. From then on it only forwards what happens: it calls raise() on the control's event
//    (a click, a change, a lost focus, a pointer move, a change of the window's state) and
//    calls MainWindow::start() before the window is first shown and MainWindow::close()
//    for every way the window closes.
//
// Rules every front end keeps, because the behaviour relies on them:
// - A change of value raises the control's change event whether the user made it or code
//   did (start-up puts the stored values into the controls and counts on their handlers);
//   setting the value a control already has raises nothing.
// - An event is raised once per change, after the control shows its new value. A change
//   that a handler makes to its own control raises the event again from inside that handler
//   (the start-at-logon box clears itself when no entry could be written, and counts on its
//   handler running again for the clear box).

#include "core/list_view.h"
#include "platform/clock.h"
#include "tray/tray_behaviour.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tw {

// One event of a control: the behaviour sets the handler, the front end raises it.
class ControlEvent {
  public:
    // Replaces the handler; an empty one makes raise() do nothing.
    void setHandler(std::function<void()> handler) { handler_ = std::move(handler); }
    // Runs the handler, if any.
    void raise() const;

  private:
    std::function<void()> handler_;
};

// What every control can do.
class Control {
  public:
    virtual ~Control() = default;
    // Shows or hides the control (a hidden control takes no input).
    virtual void setVisible(bool visible) = 0;
    // Lets the user use the control, or greys it out.
    virtual void setEnabled(bool enabled) = 0;

    // The mouse pointer moved over the control or entered it.
    ControlEvent pointerMoved;
};

// A push button.
class PushButton : public Control {
  public:
    // The text on the button.
    virtual std::string caption() const = 0;
    // Replaces the text on the button.
    virtual void setCaption(const std::string& caption) = 0;

    // The user clicked the button.
    ControlEvent clicked;
};

// A check box; its value is 0 (clear), 1 (checked) or 2 (greyed, shown partly checked).
class CheckBox : public Control {
  public:
    // The box's value: 0, 1 or 2.
    virtual int value() const = 0;
    // Sets the value 0, 1 or 2; raises changed when it differs from the current one.
    virtual void setValue(int value) = 0;

    // The value changed, by the user or by code.
    ControlEvent changed;
};

// An option button, one of a group of which at most one is selected.
class OptionButton : public Control {
  public:
    // Whether this option is the selected one of its group.
    virtual bool selected() const = 0;
    // Selecting clears the other options of the group; clearing the selected option leaves
    // the group with none selected.
    virtual void setSelected(bool selected) = 0;

    // The option became selected (by the user or by code), or the user clicked it while it
    // was already selected.
    ControlEvent clicked;
};

// A one-line text box.
class TextBox : public Control {
  public:
    // The text as it stands.
    virtual std::string text() const = 0;
    // Replaces the text; raises changed when it differs.
    virtual void setText(const std::string& text) = 0;
    // Puts the keyboard focus into the box.
    virtual void setFocus() = 0;

    // The text changed, by a keystroke or by code.
    ControlEvent changed;
    // The keyboard focus moved from the box to another control of the same window (not to
    // a box the program shows, nor to another program's window).
    ControlEvent lostFocus;
};

// A time-of-day picker, to the second.
class TimePicker : public Control {
  public:
    // The time the picker shows.
    virtual TimeOfDay time() const = 0;
    // Shows another time; raises changed when it differs.
    virtual void setTime(const TimeOfDay& time) = 0;

    // The time changed, by the user or by code.
    ControlEvent changed;
};

// A drop-down list of fixed texts from which the user picks one (the day list).
class DropDownList : public Control {
  public:
    // The chosen text, "" when none is chosen.
    virtual std::string text() const = 0;
    // Chooses the item whose text is exactly this (letter case counts); false, changing
    // nothing, when there is none.
    virtual bool choose(const std::string& text) = 0;

    // Another item was chosen, by the user or by code.
    ControlEvent changed;
};

// A progress bar.
class ProgressBar : public Control {
  public:
    // Fills the bar to position out of maximum (0 <= position <= maximum, maximum >= 1).
    virtual void setProgress(int position, int maximum) = 0;
    // The text the bar shows where the toolkit shows one.
    virtual void setText(const std::string& text) = 0;
};

// A caption: a label's text, or the title of a frame around other controls.
class Caption : public Control {
  public:
    // Replaces the text.
    virtual void setText(const std::string& text) = 0;
};

// A report-view list on screen (the run list, the close list, the history log).
class ListControl : public ListView, public Control {
  public:
    // The user pressed Delete while a row was selected.
    ControlEvent deletePressed;
};

// The window's mouse pointer: the program's own (the arrow when it has none) or the arrow.
enum class Pointer { Default, Custom };

// The main window itself; hiding to and restoring from the tray moves it (TrayWindow).
class WindowControl : public Control, public TrayWindow {
  public:
    // Replaces the title bar's text.
    virtual void setTitle(const std::string& title) = 0;
    // Gives the window (and its taskbar button) the program's icon.
    virtual void showProgramIcon() = 0;
    // Minimises the window (before it is shown: it will be shown minimised).
    virtual void minimise() = 0;
    // Loads the program's own pointer from a cursor file; throws std::runtime_error
    // ("Invalid picture") when the file holds none.
    virtual void loadCustomPointer(const std::string& path) = 0;
    // Sets the pointer that every control without one of its own shows.
    virtual void setPointer(Pointer pointer) = 0;
    // Gives the window and its frames, labels and option and check boxes the colour of a
    // button's face, as a skin does.
    virtual void applySkinColours() = 0;

    // The window was minimised or restored; raised once the change is complete.
    ControlEvent stateChanged;
};

// Every control of the main window, handed over by the front end; makeMainWindowControls()
// fills it and names the control behind each member.
struct MainWindowControls {
    WindowControl& window;

    // Monitoring.
    PushButton& switchButton;
    Caption& statusFrame;
    ProgressBar& progressBar;

    // Close options.
    Caption& closeFrame;
    CheckBox& closeEnabled;
    ListControl& closeList;
    PushButton& addCloseButton;
    PushButton& browseCloseButton;
    PushButton& deleteCloseButton;
    PushButton& closeNowButton;
    PushButton& clearCloseButton;
    PushButton& closeSampleButton;

    // Close method.
    Caption& closeMethodFrame;
    OptionButton& softClose;
    OptionButton& hardClose;
    PushButton& closeMethodHelpButton;

    // Start-up options.
    Caption& startupFrame;
    CheckBox& startWithSession;
    CheckBox& startInTray;

    // Schedule.
    Caption& scheduleFrame;
    OptionButton& everyX;
    Caption& hoursLabel;
    TextBox& hours;
    Caption& minutesLabel;
    TextBox& minutes;
    Caption& secondsLabel;
    TextBox& seconds;
    OptionButton& daily;
    TimePicker& timePicker;
    OptionButton& weekly;
    DropDownList& dayList;

    // Run options.
    Caption& runFrame;
    CheckBox& runEnabled;
    ListControl& runList;
    PushButton& browseRunButton;
    PushButton& runNowButton;
    PushButton& deleteRunButton;
    PushButton& clearRunButton;
    PushButton& runSampleButton;

    // History.
    Caption& historyFrame;
    ListControl& history;
    PushButton& copyHistoryButton;
    PushButton& clearHistoryButton;
};

// Makes the adapter of each control of the main window, found by its control name (which
// stays the widget's name, the settings key and the routine name in the error boxes); each
// front end has one. One method per kind of control of the layout table (window_layout.h).
// The maker owns what it makes.
class ControlMaker {
  public:
    ControlMaker() = default;
    virtual ~ControlMaker() = default;
    ControlMaker(const ControlMaker&) = delete;
    ControlMaker& operator=(const ControlMaker&) = delete;

    virtual WindowControl& window() = 0;
    virtual PushButton& button(const char* name) = 0;
    virtual Caption& frame(const char* name) = 0;
    virtual Caption& label(const char* name) = 0;
    virtual CheckBox& checkBox(const char* name) = 0;
    virtual OptionButton& option(const char* name) = 0;
    virtual TextBox& edit(const char* name) = 0;
    virtual TimePicker& timePicker(const char* name) = 0;
    virtual DropDownList& combo(const char* name) = 0;
    virtual ProgressBar& progress(const char* name) = 0;
    virtual ListControl& list(const char* name) = 0;

  protected:
    // Keeps an adapter made with these arguments for as long as the maker lives.
    template <class Adapter, class... Arguments> Adapter& keep(Arguments&&... arguments) {
        auto adapter = std::make_unique<Adapter>(std::forward<Arguments>(arguments)...);
        Adapter& made = *adapter;
        made_.push_back(std::move(adapter));
        return made;
    }

  private:
    std::vector<std::unique_ptr<Control>> made_;
};

// Every control of the main window, each made by its control name: the one place that says
// which control plays which part.
MainWindowControls makeMainWindowControls(ControlMaker& make);

} // namespace tw
