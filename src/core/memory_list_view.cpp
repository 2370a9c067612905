#include "core/memory_list_view.h"

#include <stdexcept>

namespace tw {

void MemoryListView::addColumn(const std::string& text) {
    columns_.push_back({text, 0});
}

void MemoryListView::setColumnWidth(int column, int twips) {
    if (column < 1 || column > columnCount())
        throw std::out_of_range("Index out of bounds");
    columns_[static_cast<size_t>(column - 1)].twips = twips;
}

int MemoryListView::columnWidth(int column) const {
    if (column < 1 || column > columnCount())
        throw std::out_of_range("Index out of bounds");
    return columns_[static_cast<size_t>(column - 1)].twips;
}

MemoryListView::Row& MemoryListView::at(int row) {
    if (row < 1 || row > count())
        throw std::out_of_range("Index out of bounds");
    return rows_[static_cast<size_t>(row - 1)];
}

const MemoryListView::Row& MemoryListView::at(int row) const {
    if (row < 1 || row > count())
        throw std::out_of_range("Index out of bounds");
    return rows_[static_cast<size_t>(row - 1)];
}

std::string MemoryListView::text(int row) const {
    return at(row).cells[0];
}

int MemoryListView::addRow(const std::string& text) {
    rows_.push_back({{text}, false});
    notify();
    return count();
}

void MemoryListView::setSubItem(int row, int k, const std::string& text) {
    if (k < 1)
        throw std::out_of_range("Index out of bounds");
    auto& cells = at(row).cells;
    if (cells.size() <= static_cast<size_t>(k))
        cells.resize(static_cast<size_t>(k) + 1);
    cells[static_cast<size_t>(k)] = text;
    notify();
}

std::string MemoryListView::subItem(int row, int k) const {
    if (k < 1)
        throw std::out_of_range("Index out of bounds");
    const auto& cells = at(row).cells;
    return static_cast<size_t>(k) < cells.size() ? cells[static_cast<size_t>(k)] : std::string();
}

bool MemoryListView::checked(int row) const {
    return at(row).checked;
}

void MemoryListView::setChecked(int row, bool checked) {
    at(row).checked = checked;
}

int MemoryListView::selectedIndex() const {
    if (selected_ == 0)
        throw std::runtime_error(kNoSelectionError);
    return selected_;
}

void MemoryListView::select(int row) {
    at(row);
    selected_ = row;
}

void MemoryListView::remove(int row) {
    at(row);
    rows_.erase(rows_.begin() + (row - 1));
    if (selected_ == row)
        selected_ = 0;
    else if (selected_ > row)
        --selected_;
    notify();
}

void MemoryListView::clear() {
    rows_.clear();
    selected_ = 0;
    notify();
}

void MemoryListView::notify() {
    if (changed_)
        changed_();
}

} // namespace tw
