#pragma once

#include "core/list_view.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace tw {

// A list held in memory: the lists' behaviour without a window. Built over ListView for the
// feature tests, and over the window's ListControl for the fake controls.
template <class Interface> class MemoryList : public Interface {
  public:
    explicit MemoryList(std::string name) : name_(std::move(name)) {}

    std::string name() const override { return name_; }
    void addColumn(const std::string& text) override { columns_.push_back({text, 0}); }
    void setColumnWidth(int column, int twips) override { columnAt(column).twips = twips; }
    int columnCount() const override { return static_cast<int>(columns_.size()); }
    int columnWidth(int column) const { return columnAt(column).twips; }
    const std::string& columnText(int column) const { return columnAt(column).text; }

    int count() const override { return static_cast<int>(rows_.size()); }
    std::string text(int row) const override { return at(row).cells[0]; }
    int addRow(const std::string& text) override {
        rows_.push_back({{text}, false});
        notify();
        return count();
    }
    // One change for all, as the window's lists take them.
    void addRows(const std::vector<std::vector<std::string>>& rows) override {
        for (const auto& cells : rows)
            rows_.push_back({cells.empty() ? std::vector<std::string>{""} : cells, false});
        notify();
    }
    void setSubItem(int row, int k, const std::string& text) override {
        if (k < 1)
            throw std::out_of_range("Index out of bounds");
        auto& cells = at(row).cells;
        if (cells.size() <= static_cast<size_t>(k))
            cells.resize(static_cast<size_t>(k) + 1);
        cells[static_cast<size_t>(k)] = text;
        notify();
    }
    std::string subItem(int row, int k) const override {
        if (k < 1)
            throw std::out_of_range("Index out of bounds");
        const auto& cells = at(row).cells;
        return static_cast<size_t>(k) < cells.size() ? cells[static_cast<size_t>(k)]
                                                     : std::string();
    }
    bool checked(int row) const override { return at(row).checked; }
    void setChecked(int row, bool checked) override { at(row).checked = checked; }
    int selectedIndex() const override {
        if (selected_ == 0)
            throw std::runtime_error(kNoSelectionError);
        return selected_;
    }
    void select(int row) override {
        at(row);
        selected_ = row;
    }
    void remove(int row) override {
        at(row);
        rows_.erase(rows_.begin() + (row - 1));
        if (selected_ == row)
            selected_ = 0;
        else if (selected_ > row)
            --selected_;
        notify();
    }
    void clear() override {
        rows_.clear();
        selected_ = 0;
        notify();
    }
    void setRowsChangedHandler(std::function<void()> handler) override {
        changed_ = std::move(handler);
    }
    // Whether a row is selected.
    bool hasSelection() const { return selected_ != 0; }

  private:
    struct Column {
        std::string text;
        int twips = 0;
    };
    struct Row {
        std::vector<std::string> cells; // cells[0] is the main text
        bool checked = false;
    };
    template <class Self> static auto& checkedRow(Self& self, int row) {
        if (row < 1 || row > self.count())
            throw std::out_of_range("Index out of bounds");
        return self.rows_[static_cast<size_t>(row - 1)];
    }
    Row& at(int row) { return checkedRow(*this, row); }
    const Row& at(int row) const { return checkedRow(*this, row); }
    Column& columnAt(int column) { return checkedColumn(*this, column); }
    const Column& columnAt(int column) const { return checkedColumn(*this, column); }
    template <class Self> static auto& checkedColumn(Self& self, int column) {
        if (column < 1 || column > self.columnCount())
            throw std::out_of_range("Index out of bounds");
        return self.columns_[static_cast<size_t>(column - 1)];
    }
    void notify() {
        if (changed_)
            changed_();
    }

    std::string name_;
    std::vector<Column> columns_;
    std::vector<Row> rows_;
    int selected_ = 0; // 0: none
    std::function<void()> changed_;
};

// The list the feature tests hand to lists, logs and stores.
using MemoryListView = MemoryList<ListView>;

} // namespace tw
