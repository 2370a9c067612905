#pragma once

#include "core/list_view.h"
#include "frontend/win32/win32_controls.h"

#include <vector>

namespace tw {

// A list of the main window over a SysListView32 in report view.
class Win32ListView : public Win32Control<ListControl> {
  public:
    Win32ListView(Win32Window& window, const char* name);

    std::string name() const override { return name_; }
    void addColumn(const std::string& text) override;
    void setColumnWidth(int column, int twips) override;
    int columnCount() const override;
    int count() const override;
    std::string text(int row) const override;
    int addRow(const std::string& text) override;
    void addRows(const std::vector<std::vector<std::string>>& rows) override;
    void setSubItem(int row, int k, const std::string& text) override;
    std::string subItem(int row, int k) const override;
    bool checked(int row) const override;
    void setChecked(int row, bool checked) override;
    int selectedIndex() const override;
    void select(int row) override;
    void remove(int row) override;
    void clear() override;
    void setRowsChangedHandler(std::function<void()> handler) override;

    void onDpiChanged(UINT dpi) override;
    LRESULT onNotify(const NMHDR& header) override;

  private:
    // The control's 0-based item of a 1-based row; throws std::out_of_range when none.
    int item(int row) const;
    std::string cell(int item, int column) const;
    // Inserts item `at` with its column texts, through `procedure` when given; throws when
    // the control refuses it.
    void insert(int at, const std::vector<std::string>& texts, WNDPROC procedure);
    void notify();

    std::string name_;
    std::vector<int> widthsTwips_;
    std::function<void()> changed_;
};

} // namespace tw
