#pragma once

class QObject;
class QString;
class QAccessibleInterface;

namespace tw {

// The accessibility factory for drop-down lists that cannot be edited: on Unix Qt speaks a
// combo box by its chosen item and ignores the name given, so that the day list was heard as
// "Monday". Here a list given a name is spoken by it, and its chosen item is its text and
// value. Installed once with QAccessible::installFactory.
QAccessibleInterface* namedComboAccessible(const QString& className, QObject* object);

} // namespace tw
