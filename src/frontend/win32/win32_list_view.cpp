#include "frontend/win32/win32_list_view.h"

#include "platform/win32/wide_text.h"

#include <stdexcept>

namespace tw {

Win32ListView::Win32ListView(Win32Window& window, const char* name)
    : Win32Control(window, name), name_(name) {}

void Win32ListView::addColumn(const std::string& text) {
    std::wstring header = widen(text);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = header.data();
    column.cx = 0;
    const int index = columnCount();
    if (ListView_InsertColumn(hwnd_, index, &column) < 0)
        throw std::runtime_error("The column could not be added");
    widthsTwips_.push_back(0);
}

void Win32ListView::setColumnWidth(int column, int twips) {
    if (column < 1 || column > columnCount())
        throw std::out_of_range("Index out of bounds");
    widthsTwips_[static_cast<size_t>(column - 1)] = twips;
    ListView_SetColumnWidth(hwnd_, column - 1, pixels(twips, window_.layoutDpi()));
}

void Win32ListView::onDpiChanged(UINT dpi) {
    for (size_t i = 0; i < widthsTwips_.size(); ++i)
        ListView_SetColumnWidth(hwnd_, static_cast<int>(i), pixels(widthsTwips_[i], dpi));
}

LRESULT Win32ListView::onNotify(const NMHDR& header) {
    // Delete acts on a selected row only: with none there is nothing the key could mean.
    if (header.code == LVN_KEYDOWN &&
        reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_DELETE &&
        GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0 &&
        ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED) >= 0)
        deletePressed.raise();
    return 0;
}

int Win32ListView::columnCount() const {
    return Header_GetItemCount(ListView_GetHeader(hwnd_));
}

int Win32ListView::count() const {
    return ListView_GetItemCount(hwnd_);
}

int Win32ListView::item(int row) const {
    if (row < 1 || row > count())
        throw std::out_of_range("Index out of bounds");
    return row - 1;
}

std::string Win32ListView::cell(int item, int column) const {
    // The control copies at most the buffer's size: grow it until the text fits.
    std::wstring buffer(256, L'\0');
    for (;;) {
        LVITEMW request{};
        request.iSubItem = column;
        request.pszText = buffer.data();
        request.cchTextMax = static_cast<int>(buffer.size());
        const auto length =
            static_cast<size_t>(SendMessageW(hwnd_, LVM_GETITEMTEXTW, static_cast<WPARAM>(item),
                                             reinterpret_cast<LPARAM>(&request)));
        if (length + 1 < buffer.size()) {
            buffer.resize(length);
            return narrow(buffer);
        }
        buffer.resize(buffer.size() * 4);
    }
}

std::string Win32ListView::text(int row) const {
    return cell(item(row), 0);
}

int Win32ListView::addRow(const std::string& text) {
    std::wstring main = widen(text);
    LVITEMW row{};
    row.mask = LVIF_TEXT;
    row.iItem = count();
    row.pszText = main.data();
    if (ListView_InsertItem(hwnd_, &row) < 0)
        throw std::runtime_error("The row could not be added");
    notify();
    return count();
}

void Win32ListView::setSubItem(int row, int k, const std::string& text) {
    if (k < 1)
        throw std::out_of_range("Index out of bounds");
    std::wstring sub = widen(text);
    ListView_SetItemText(hwnd_, item(row), k, sub.data());
    notify();
}

std::string Win32ListView::subItem(int row, int k) const {
    if (k < 1)
        throw std::out_of_range("Index out of bounds");
    return cell(item(row), k);
}

bool Win32ListView::checked(int row) const {
    return ListView_GetCheckState(hwnd_, static_cast<UINT>(item(row))) != 0;
}

void Win32ListView::setChecked(int row, bool on) {
    ListView_SetCheckState(hwnd_, static_cast<UINT>(item(row)), on ? TRUE : FALSE);
}

int Win32ListView::selectedIndex() const {
    const int selected = ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED);
    if (selected < 0)
        throw std::runtime_error(kNoSelectionError);
    return selected + 1;
}

void Win32ListView::select(int row) {
    const int target = item(row);
    ListView_SetItemState(hwnd_, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(hwnd_, target, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(hwnd_, target, FALSE);
}

void Win32ListView::remove(int row) {
    ListView_DeleteItem(hwnd_, item(row));
    notify();
}

void Win32ListView::clear() {
    ListView_DeleteAllItems(hwnd_);
    notify();
}

void Win32ListView::setRowsChangedHandler(std::function<void()> handler) {
    changed_ = std::move(handler);
}

void Win32ListView::notify() {
    if (changed_)
        changed_();
}

} // namespace tw
