#pragma once

#include "core/list_view.h"
#include "window/controls.h"

#include <functional>
#include <string>
#include <vector>

namespace tw {

// A list whose entries the window holds, shown by a list control. Every change goes to both;
// the entries are read from here, so a firing or a save never asks the control for them. The
// selection and the check marks are the user's doing and stay the control's. A change made
// to the control by anything else is taken into the entries when the control reports it.
class ShownList : public ListView {
  public:
    explicit ShownList(ListControl& shown);
    ShownList(const ShownList&) = delete;
    ShownList& operator=(const ShownList&) = delete;

    std::string name() const override { return name_; }
    void addColumn(const std::string& text) override { shown_.addColumn(text); }
    void setColumnWidth(int column, int twips) override { shown_.setColumnWidth(column, twips); }
    int columnCount() const override { return shown_.columnCount(); }

    int count() const override { return static_cast<int>(entries_.size()); }
    std::string text(int row) const override;
    int addRow(const std::string& text) override;
    void addRows(const std::vector<std::vector<std::string>>& rows) override;
    void setSubItem(int row, int k, const std::string& text) override;
    std::string subItem(int row, int k) const override { return shown_.subItem(row, k); }
    bool checked(int row) const override { return shown_.checked(row); }
    void setChecked(int row, bool checked) override { shown_.setChecked(row, checked); }
    int selectedIndex() const override { return shown_.selectedIndex(); }
    void select(int row) override { shown_.select(row); }
    void remove(int row) override;
    void clear() override;
    void setRowsChangedHandler(std::function<void()> handler) override {
        changed_ = std::move(handler);
    }

  private:
    // Runs a change on the control, then on the entries, then reports it once.
    template <class Change> void change(Change&& apply);
    void takeControlRows();

    ListControl& shown_;
    const std::string name_;
    std::vector<std::string> entries_;
    std::function<void()> changed_;
    // True while this list changes the control, whose own report of it is then not needed.
    bool changing_ = false;
};

} // namespace tw
