#include "frontend/qt/qt_list_view.h"

#include "core/product.h"

#include <QHeaderView>
#include <stdexcept>

namespace tw {

QtListView::QtListView(const QString& objectName, bool checkBoxes, QWidget* parent)
    : QTreeWidget(parent), checkBoxes_(checkBoxes) {
    setObjectName(objectName);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setColumnCount(0);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
}

std::string QtListView::name() const {
    return objectName().toStdString();
}

void QtListView::addColumn(const std::string& text) {
    headers_ << QString::fromStdString(text);
    setColumnCount(static_cast<int>(headers_.size()));
    setHeaderLabels(headers_);
}

void QtListView::setColumnWidth(int column, int twips) {
    if (column < 1 || column > columnCount())
        throw std::out_of_range("Index out of bounds");
    QTreeWidget::setColumnWidth(column - 1, twips / kTwipsPerPixel);
}

QTreeWidgetItem* QtListView::item(int row) const {
    if (row < 1 || row > count())
        throw std::out_of_range("Index out of bounds");
    return topLevelItem(row - 1);
}

std::string QtListView::text(int row) const {
    return item(row)->text(0).toStdString();
}

int QtListView::addRow(const std::string& text) {
    auto* row = new QTreeWidgetItem(QStringList{QString::fromStdString(text)});
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (checkBoxes_) {
        flags |= Qt::ItemIsUserCheckable;
        row->setCheckState(0, Qt::Unchecked);
    }
    row->setFlags(flags);
    addTopLevelItem(row);
    notify();
    return count();
}

void QtListView::setSubItem(int row, int k, const std::string& text) {
    if (k < 1)
        throw std::out_of_range("Index out of bounds");
    item(row)->setText(k, QString::fromStdString(text));
    notify();
}

std::string QtListView::subItem(int row, int k) const {
    if (k < 1)
        throw std::out_of_range("Index out of bounds");
    return item(row)->text(k).toStdString();
}

bool QtListView::checked(int row) const {
    return item(row)->checkState(0) == Qt::Checked;
}

void QtListView::setChecked(int row, bool on) {
    item(row)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
}

int QtListView::selectedIndex() const {
    const auto selected = selectedItems();
    if (selected.isEmpty())
        throw std::runtime_error(kNoSelectionError);
    return indexOfTopLevelItem(selected.first()) + 1;
}

void QtListView::select(int row) {
    auto* target = item(row);
    clearSelection();
    target->setSelected(true);
    setCurrentItem(target);
}

void QtListView::remove(int row) {
    item(row);
    delete takeTopLevelItem(row - 1);
    notify();
}

void QtListView::clear() {
    QTreeWidget::clear();
    notify();
}

void QtListView::notify() {
    if (changed_)
        changed_();
}

} // namespace tw
