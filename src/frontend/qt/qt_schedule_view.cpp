#include "frontend/qt/qt_schedule_view.h"

#include "platform/locale_text.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <algorithm>

namespace tw {

namespace {

std::string str(const QString& text) {
    return text.toStdString();
}

QString qstr(const std::string& text) {
    return QString::fromStdString(text);
}

ListView& list(ListView* view, const char* name) {
    if (!view)
        throw std::runtime_error(std::string("The list ") + name + " is missing");
    return *view;
}

} // namespace

int checkValue(const QCheckBox& box) {
    switch (box.checkState()) {
    case Qt::Unchecked:
        return 0;
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        break;
    }
    return 2;
}

QtScheduleView::QtScheduleView(const ScheduleWidgets& widgets, const LocaleText& locale)
    : w_(widgets), locale_(locale) {}

bool QtScheduleView::modeSelected(ScheduleMode mode) const {
    switch (mode) {
    case ScheduleMode::Weekly:
        return w_.Option1->isChecked();
    case ScheduleMode::Daily:
        return w_.Option2->isChecked();
    case ScheduleMode::EveryX:
        break;
    }
    return w_.Option3->isChecked();
}

std::string QtScheduleView::dayText() const {
    return w_.cboWeekly->currentIndex() < 0 ? std::string() : str(w_.cboWeekly->currentText());
}

std::string QtScheduleView::pickerText() const {
    const TimeOfDay t = pickerTime();
    return locale_.longTime(t.hour, t.minute, t.second);
}

TimeOfDay QtScheduleView::pickerTime() const {
    const QTime t = w_.dtpWeekly->time();
    return {t.hour(), t.minute(), t.second()};
}

QLineEdit* QtScheduleView::field(EveryXField which) const {
    switch (which) {
    case EveryXField::Hours:
        return w_.Text1;
    case EveryXField::Minutes:
        return w_.Text2;
    case EveryXField::Seconds:
        break;
    }
    return w_.Text3;
}

std::string QtScheduleView::fieldText(EveryXField which) const {
    return str(field(which)->text());
}

void QtScheduleView::focusField(EveryXField which) {
    field(which)->setFocus(Qt::OtherFocusReason);
}

int QtScheduleView::runCheck() const {
    return checkValue(*w_.Check1);
}

int QtScheduleView::closeCheck() const {
    return checkValue(*w_.Check2);
}

CloseMethod closeMethodOf(const QRadioButton* softClose, const QRadioButton* hardClose) {
    if (softClose && softClose->isChecked())
        return CloseMethod::Soft;
    if (hardClose && hardClose->isChecked())
        return CloseMethod::Hard;
    return CloseMethod::None;
}

CloseMethod QtScheduleView::closeMethod() const {
    return closeMethodOf(w_.Option7, w_.Option6);
}

void QtScheduleView::setTimeEnabled(bool enabled) {
    w_.dtpWeekly->setEnabled(enabled);
}

void QtScheduleView::setDayEnabled(bool enabled) {
    w_.cboWeekly->setEnabled(enabled);
}

void QtScheduleView::setStatus(const std::string& text) {
    QGroupBox* frame = w_.Frame4;
    const QString title = qstr(text);
    if (frame->title() == title)
        return;
    // The status changes every second while monitoring: repaint only the caption's strip
    // above the bar, not the whole frame with the bar inside it.
    const bool updating = frame->updatesEnabled();
    frame->setAttribute(Qt::WA_UpdatesDisabled, true);
    frame->setTitle(title);
    frame->setAttribute(Qt::WA_UpdatesDisabled, !updating);
    const int strip = w_.ProgressBar1 ? w_.ProgressBar1->y() : frame->height();
    frame->update(0, 0, frame->width(), strip);
}

void QtScheduleView::setBarMaximum(std::int32_t maximum) {
    barMaximum_ = maximum;
    showBar();
}

void QtScheduleView::setBarPosition(std::int32_t position) {
    barPosition_ = position;
    showBar();
}

void QtScheduleView::showBar() {
    // A span of zero or less (a target already passed) shows an empty bar, and a position
    // outside the span is shown at the nearer end.
    const int top = std::max(barMaximum_, 1);
    const int value = std::clamp(barPosition_, 0, top);
    QProgressBar* bar = w_.ProgressBar1;
    // Set every second while monitoring: touch the bar only when it really changes.
    if (bar->minimum() != 0 || bar->maximum() != top)
        bar->setRange(0, top);
    if (bar->value() != value)
        bar->setValue(value);
}

void QtScheduleView::setBarText(const std::string& text) {
    w_.ProgressBar1->setFormat(qstr(text));
}

std::string QtScheduleView::switchCaption() const {
    return str(w_.PushButton2->text());
}

void QtScheduleView::setSwitchCaption(const std::string& caption) {
    w_.PushButton2->setText(qstr(caption));
}

void QtScheduleView::restoreDefaultPointer() {
    if (w_.restoreDefaultPointer)
        w_.restoreDefaultPointer();
    else
        w_.form->unsetCursor();
}

ListView& QtScheduleView::runList() {
    return list(w_.ListView1, "ListView1");
}

ListView& QtScheduleView::closeList() {
    return list(w_.ListView2, "ListView2");
}

} // namespace tw
