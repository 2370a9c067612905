#pragma once

#include "core/list_view.h"

#include <vector>

namespace tw {

// A ListView held in memory: the lists' behaviour without a window.
class MemoryListView : public ListView {
  public:
    explicit MemoryListView(std::string name) : name_(std::move(name)) {}

    std::string name() const override { return name_; }
    void addColumn(const std::string& text) override;
    void setColumnWidth(int column, int twips) override;
    int columnCount() const override { return static_cast<int>(columns_.size()); }
    int columnWidth(int column) const;

    int count() const override { return static_cast<int>(rows_.size()); }
    std::string text(int row) const override;
    int addRow(const std::string& text) override;
    void setSubItem(int row, int k, const std::string& text) override;
    std::string subItem(int row, int k) const override;
    bool checked(int row) const override;
    void setChecked(int row, bool checked) override;
    int selectedIndex() const override;
    void select(int row) override;
    void remove(int row) override;
    void clear() override;
    void setRowsChangedHandler(std::function<void()> handler) override {
        changed_ = std::move(handler);
    }

  private:
    struct Column {
        std::string text;
        int twips = 0;
    };
    struct Row {
        std::vector<std::string> cells; // cells[0] is the main text
        bool checked = false;
    };
    Row& at(int row);
    const Row& at(int row) const;
    void notify();

    std::string name_;
    std::vector<Column> columns_;
    std::vector<Row> rows_;
    int selected_ = 0; // 0: none
    std::function<void()> changed_;
};

} // namespace tw
