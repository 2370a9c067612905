#pragma once

#include "core/list_view.h"

#include <QTreeWidget>

namespace tw {

// The list type on screen: a report view with one row per item, single selection and,
// when asked for, a user-settable check box in front of each row.
class QtListView : public QTreeWidget, public ListView {
    Q_OBJECT
  public:
    QtListView(const QString& objectName, bool checkBoxes, QWidget* parent = nullptr);

    std::string name() const override;
    void addColumn(const std::string& text) override;
    void setColumnWidth(int column, int twips) override;
    int columnCount() const override { return static_cast<int>(headers_.size()); }
    int count() const override { return topLevelItemCount(); }
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
    QTreeWidgetItem* item(int row) const;
    void notify();

    bool checkBoxes_;
    QStringList headers_;
    std::function<void()> changed_;
};

} // namespace tw
