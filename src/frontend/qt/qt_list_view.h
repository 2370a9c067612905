#pragma once

#include "window/controls.h"

#include <QAbstractTableModel>
#include <QTreeView>
#include <deque>

namespace tw {

// The rows of a list in a compact form: a row is its column texts in one UTF-8 string, each
// text ended by a NUL, and its check mark. The history log can hold a hundred thousand of
// them, so a row costs little more than its texts.
class ListRowsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    ListRowsModel(bool checkBoxes, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void addColumn(const QString& header);
    // Rows and columns from 0; the caller checks the row.
    std::string text(int row, int column) const;
    void setText(int row, int column, const std::string& text);
    bool checked(int row) const { return rows_[static_cast<size_t>(row)].checked; }
    void setChecked(int row, bool checked);
    void append(const std::string& text);
    // Many rows, each its column texts, in one insertion.
    void append(const std::vector<std::vector<std::string>>& rows);
    void removeRow(int row);
    void clearRows();

  private:
    struct Row {
        std::string texts;
        bool checked = false;
    };
    bool checkBoxes_;
    QStringList headers_;
    std::deque<Row> rows_;
};

// The list type on screen: a report view with one row per item, single selection and,
// when asked for, a user-settable check box in front of each row.
class QtListView : public QTreeView, public ListControl {
    Q_OBJECT
  public:
    QtListView(const QString& objectName, bool checkBoxes, QWidget* parent = nullptr);

    void setVisible(bool visible) override { QTreeView::setVisible(visible); }
    void setEnabled(bool enabled) override { QTreeView::setEnabled(enabled); }

    std::string name() const override;
    void addColumn(const std::string& text) override;
    void setColumnWidth(int column, int twips) override;
    int columnCount() const override { return model_->columnCount(); }
    int count() const override { return model_->rowCount(); }
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
    void setRowsChangedHandler(std::function<void()> handler) override {
        changed_ = std::move(handler);
    }
    // Column widths follow the window's layout, drawn smaller on a screen it would not fit.
    void setLayoutScale(double scale) { scale_ = scale; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // The model's row of list row i; throws for a row that does not exist.
    int rowOf(int row) const;
    void notify();

    ListRowsModel* model_;
    std::function<void()> changed_;
    double scale_ = 1.0;
};

} // namespace tw
