#pragma once

#include "window/controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <optional>
#include <vector>

namespace tw {

// Raises the control's pointerMoved whenever the mouse enters or moves over the widget.
void forwardPointer(QWidget& widget, Control& control);

// The widget of the window named so; throws when the window has none of that kind.
template <class Widget> Widget& childNamed(const QWidget& window, const char* name) {
    auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
    if (!widget)
        throw std::logic_error(std::string("The window has no control ") + name);
    return *widget;
}

// An adapter of one widget to the control interface of its kind: shows, hides, enables and
// forwards the pointer alike for every kind, and drops its connections when it goes.
template <class Interface, class Widget> class QtControl : public Interface {
  public:
    QtControl(const QWidget& window, const char* name) : widget_(childNamed<Widget>(window, name)) {
        forwardPointer(widget_, *this);
    }
    ~QtControl() override {
        for (const QMetaObject::Connection& connection : connections_)
            QObject::disconnect(connection);
    }
    QtControl(const QtControl&) = delete;
    QtControl& operator=(const QtControl&) = delete;

    void setVisible(bool visible) override { widget_.setVisible(visible); }
    void setEnabled(bool enabled) override { widget_.setEnabled(enabled); }
    Widget& widget() const { return widget_; }

  protected:
    template <class Signal, class Handler> void on(Signal signal, Handler handler) {
        connections_.push_back(QObject::connect(&widget_, signal, &widget_, handler));
    }
    Widget& widget_;

  private:
    std::vector<QMetaObject::Connection> connections_;
};

class QtPushButton : public QtControl<PushButton, QPushButton> {
  public:
    QtPushButton(const QWidget& window, const char* name);
    std::string caption() const override;
    void setCaption(const std::string& caption) override;
};

class QtCheckBox : public QtControl<CheckBox, QCheckBox> {
  public:
    QtCheckBox(const QWidget& window, const char* name);
    int value() const override;
    void setValue(int value) override;
};

class QtOptionButton : public QtControl<OptionButton, QRadioButton> {
  public:
    QtOptionButton(const QWidget& window, const char* name);
    bool selected() const override { return widget_.isChecked(); }
    void setSelected(bool selected) override;

  private:
    // Whether the press being handled selected the option (else it clicked a selected one).
    bool selectedByThisPress_ = false;
};

class QtTextBox : public QtControl<TextBox, QLineEdit> {
  public:
    QtTextBox(const QWidget& window, const char* name);
    std::string text() const override { return widget_.text().toStdString(); }
    void setText(const std::string& text) override;
    void setFocus() override { widget_.setFocus(Qt::OtherFocusReason); }
};

class QtTimePicker : public QtControl<TimePicker, QTimeEdit> {
  public:
    QtTimePicker(const QWidget& window, const char* name);
    TimeOfDay time() const override;
    void setTime(const TimeOfDay& time) override;
};

class QtDropDownList : public QtControl<DropDownList, QComboBox> {
  public:
    QtDropDownList(const QWidget& window, const char* name);
    std::string text() const override;
    bool choose(const std::string& text) override;
};

class QtProgressBar : public QtControl<ProgressBar, QProgressBar> {
  public:
    using QtControl::QtControl;
    void setProgress(int position, int maximum) override;
    void setText(const std::string& text) override;
};

// A frame's title. The status line changes every second while monitoring: only the strip
// of the title is repainted, not the controls inside the frame.
class QtFrameCaption : public QtControl<Caption, QGroupBox> {
  public:
    using QtControl::QtControl;
    void setText(const std::string& text) override;
};

class QtLabelCaption : public QtControl<Caption, QLabel> {
  public:
    using QtControl::QtControl;
    void setText(const std::string& text) override;
};

// The main window itself.
class QtWindowControl : public WindowControl {
  public:
    explicit QtWindowControl(QWidget& window);

    void setVisible(bool visible) override { window_.setVisible(visible); }
    void setEnabled(bool enabled) override { window_.setEnabled(enabled); }
    void setTitle(const std::string& title) override;
    void showProgramIcon() override;
    bool isMinimised() const override;
    void minimise() override;
    void hide() override { window_.hide(); }
    void setNormalState() override;
    void showAndActivate() override;
    void loadCustomPointer(const std::string& path) override;
    void setPointer(Pointer pointer) override;
    void applySkinColours() override;

    bool hasCustomPointer() const { return customPointer_.has_value(); }

  private:
    QWidget& window_;
    std::optional<QCursor> customPointer_;
    // Un-minimising a window maps it on X11, even a hidden one; so a hidden window takes
    // its normal state only when it shows again.
    bool normalWhenShown_ = false;
};

} // namespace tw
