#include "frontend/qt/qt_list_view.h"

#include "core/product.h"
#include "frontend/qt/qt_controls.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <algorithm>
#include <stdexcept>

namespace tw {

namespace {

// Where column k's text starts in a row's texts, or npos when the row has no such text.
size_t textStart(const std::string& texts, int column) {
    size_t at = 0;
    for (int k = 0; k < column; ++k) {
        at = texts.find('\0', at);
        if (at == std::string::npos)
            return at;
        ++at;
    }
    return at < texts.size() ? at : std::string::npos;
}

} // namespace

ListRowsModel::ListRowsModel(bool checkBoxes, QObject* parent)
    : QAbstractTableModel(parent), checkBoxes_(checkBoxes) {}

int ListRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ListRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant ListRowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return QString::fromStdString(text(index.row(), index.column()));
    if (role == Qt::CheckStateRole && checkBoxes_ && index.column() == 0)
        return checked(index.row()) ? Qt::Checked : Qt::Unchecked;
    return {};
}

bool ListRowsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::CheckStateRole || !checkBoxes_ || index.column() != 0)
        return false;
    setChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

QVariant ListRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < headers_.size())
        return headers_[section];
    return {};
}

Qt::ItemFlags ListRowsModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (checkBoxes_ && index.column() == 0)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

void ListRowsModel::addColumn(const QString& header) {
    const int column = static_cast<int>(headers_.size());
    beginInsertColumns({}, column, column);
    headers_ << header;
    endInsertColumns();
}

std::string ListRowsModel::text(int row, int column) const {
    const std::string& texts = rows_[static_cast<size_t>(row)].texts;
    const size_t start = textStart(texts, column);
    if (start == std::string::npos)
        return {};
    return texts.substr(start, texts.find('\0', start) - start);
}

void ListRowsModel::setText(int row, int column, const std::string& text) {
    const std::string& texts = rows_[static_cast<size_t>(row)].texts;
    const int columns =
        std::max(column + 1, static_cast<int>(std::count(texts.begin(), texts.end(), '\0')));
    std::string updated;
    for (int k = 0; k < columns; ++k) {
        updated += k == column ? text : this->text(row, k);
        updated += '\0';
    }
    updated.shrink_to_fit();
    rows_[static_cast<size_t>(row)].texts = std::move(updated);
    emit dataChanged(index(row, column), index(row, column));
}

void ListRowsModel::setChecked(int row, bool on) {
    Row& r = rows_[static_cast<size_t>(row)];
    if (r.checked == on)
        return;
    r.checked = on;
    emit dataChanged(index(row, 0), index(row, 0), {Qt::CheckStateRole});
}

void ListRowsModel::append(const std::string& text) {
    const int row = static_cast<int>(rows_.size());
    beginInsertRows({}, row, row);
    std::string texts = text;
    texts += '\0';
    texts.shrink_to_fit();
    rows_.push_back({std::move(texts), false});
    endInsertRows();
}

void ListRowsModel::append(const std::vector<std::vector<std::string>>& rows) {
    if (rows.empty())
        return;
    const int first = static_cast<int>(rows_.size());
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    for (const auto& columns : rows) {
        std::size_t length = 1;
        for (const std::string& text : columns)
            length += text.size() + 1;
        std::string texts;
        texts.reserve(length);
        for (const std::string& text : columns) {
            texts += text;
            texts += '\0';
        }
        if (columns.empty())
            texts += '\0';
        rows_.push_back({std::move(texts), false});
    }
    endInsertRows();
}

void ListRowsModel::removeRow(int row) {
    beginRemoveRows({}, row, row);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
}

void ListRowsModel::clearRows() {
    beginResetModel();
    rows_.clear();
    rows_.shrink_to_fit();
    endResetModel();
}

QtListView::QtListView(const QString& objectName, bool checkBoxes, QWidget* parent)
    : QTreeView(parent), model_(new ListRowsModel(checkBoxes, this)) {
    setObjectName(objectName);
    setModel(model_);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    // A list's mouse moves arrive at its viewport.
    forwardPointer(*viewport(), *this);
}

std::string QtListView::name() const {
    return objectName().toStdString();
}

void QtListView::addColumn(const std::string& text) {
    model_->addColumn(QString::fromStdString(text));
}

void QtListView::setColumnWidth(int column, int twips) {
    if (column < 1 || column > columnCount())
        throw std::out_of_range("Index out of bounds");
    QTreeView::setColumnWidth(column - 1, static_cast<int>(twips * scale_ / kTwipsPerPixel));
}

int QtListView::rowOf(int row) const {
    if (row < 1 || row > count())
        throw std::out_of_range("Index out of bounds");
    return row - 1;
}

std::string QtListView::text(int row) const {
    return model_->text(rowOf(row), 0);
}

int QtListView::addRow(const std::string& text) {
    model_->append(text);
    notify();
    return count();
}

void QtListView::addRows(const std::vector<std::vector<std::string>>& rows) {
    model_->append(rows);
    notify();
}

void QtListView::setSubItem(int row, int k, const std::string& text) {
    if (k < 1)
        throw std::out_of_range("Index out of bounds");
    model_->setText(rowOf(row), k, text);
    notify();
}

std::string QtListView::subItem(int row, int k) const {
    if (k < 1)
        throw std::out_of_range("Index out of bounds");
    return model_->text(rowOf(row), k);
}

bool QtListView::checked(int row) const {
    return model_->checked(rowOf(row));
}

void QtListView::setChecked(int row, bool on) {
    model_->setChecked(rowOf(row), on);
}

void QtListView::keyPressEvent(QKeyEvent* event) {
    // Delete acts on a selected row only: with none there is nothing the key could mean.
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier &&
        selectionModel()->hasSelection()) {
        event->accept();
        deletePressed.raise();
        return;
    }
    QTreeView::keyPressEvent(event);
}

int QtListView::selectedIndex() const {
    const QModelIndexList selected = selectionModel()->selectedRows();
    if (selected.isEmpty())
        throw std::runtime_error(kNoSelectionError);
    return selected.first().row() + 1;
}

void QtListView::select(int row) {
    const QModelIndex index = model_->index(rowOf(row), 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
}

void QtListView::remove(int row) {
    model_->removeRow(rowOf(row));
    notify();
}

void QtListView::clear() {
    model_->clearRows();
    notify();
}

void QtListView::notify() {
    if (changed_)
        changed_();
}

} // namespace tw
