#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tw {

// One report-view list: the run list, the close list and the history log are all of it.
// Rows and columns are numbered from 1; a bad row number throws std::out_of_range.
class ListView {
  public:
    virtual ~ListView() = default;

    // The control name ("ListView1", ...), also the settings key of a stored list.
    virtual std::string name() const = 0;

    // Appends a column header after the existing ones.
    virtual void addColumn(const std::string& text) = 0;
    // Sets the width of column k in twips.
    virtual void setColumnWidth(int column, int twips) = 0;
    virtual int columnCount() const = 0;

    virtual int count() const = 0;
    // The main text of row i, exactly as added.
    virtual std::string text(int row) const = 0;
    // Appends a row; returns its number.
    virtual int addRow(const std::string& text) = 0;
    // Appends rows given by their column texts, in order; a list view may take them as one
    // change, as a history of many rows at start-up needs.
    virtual void addRows(const std::vector<std::vector<std::string>>& rows) {
        for (const auto& texts : rows) {
            const int row = addRow(texts.empty() ? std::string() : texts.front());
            for (std::size_t k = 1; k < texts.size(); ++k)
                setSubItem(row, static_cast<int>(k), texts[k]);
        }
    }
    // Sub-item k is the text of column k + 1.
    virtual void setSubItem(int row, int k, const std::string& text) = 0;
    virtual std::string subItem(int row, int k) const = 0;
    virtual bool checked(int row) const = 0;
    virtual void setChecked(int row, bool checked) = 0;

    // The selected row's number; throws std::runtime_error when no row is selected.
    virtual int selectedIndex() const = 0;
    virtual void select(int row) = 0;

    // Removes row i; the rows after it move up by one.
    virtual void remove(int row) = 0;
    virtual void clear() = 0;

    // Called after every change of the rows (added, removed, cleared, texts changed).
    virtual void setRowsChangedHandler(std::function<void()> handler) = 0;
};

// The failure text of asking for the selection of a list that has none.
inline constexpr const char* kNoSelectionError = "Object variable or With block variable not set";

} // namespace tw
