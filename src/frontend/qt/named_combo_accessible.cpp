#include "frontend/qt/named_combo_accessible.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>

namespace tw {

namespace {

// A drop-down list that cannot be edited: its text is the chosen item, read only.
class NamedComboAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit NamedComboAccessible(QComboBox* combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    QString text(QAccessible::Text which) const override {
        if (which == QAccessible::Value ||
            (which == QAccessible::Name && widget()->accessibleName().isEmpty()))
            return chosen();
        return QAccessibleWidget::text(which);
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // Its one child is the open list, as with the toolkit's own combo box.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(combo()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == combo()->view() ? 0 : -1;
    }

    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << showMenuAction() << pressAction();
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction() || action == pressAction())
            combo()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

    QString text(int start, int end) const override { return chosen().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(chosen().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    int selectionCount() const override { return 0; }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

  private:
    QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }
    QString chosen() const { return combo()->currentText(); }
};

} // namespace

QAccessibleInterface* namedComboAccessible(const QString& className, QObject* object) {
    auto* combo = qobject_cast<QComboBox*>(object);
    // Asked for while the list is being filled, before it has its name: every drop-down
    // list that cannot be edited gets this one, and names itself by its item until named.
    if (className != QLatin1String("QComboBox") || !combo || combo->isEditable())
        return nullptr;
    return new NamedComboAccessible(combo);
}

} // namespace tw
