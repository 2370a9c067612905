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

void Win32ListView::insert(int at, const std::vector<std::string>& texts, WNDPROC procedure) {
    const auto send = [&](UINT message, WPARAM wParam, LPARAM lParam) {
        return procedure ? CallWindowProcW(procedure, hwnd_, message, wParam, lParam)
                         : SendMessageW(hwnd_, message, wParam, lParam);
    };
    std::wstring text = widen(texts.empty() ? std::string() : texts.front());
    LVITEMW row{};
    row.mask = LVIF_TEXT;
    row.iItem = at;
    row.pszText = text.data();
    if (send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row)) < 0)
        throw std::runtime_error("The row could not be added");
    for (size_t k = 1; k < texts.size(); ++k) {
        text = widen(texts[k]);
        row.iSubItem = static_cast<int>(k);
        row.pszText = text.data();
        send(LVM_SETITEMTEXTW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&row));
    }
}

int Win32ListView::addRow(const std::string& text) {
    const int row = count();
    insert(row, {text}, nullptr);
    notify();
    return row + 1;
}

void Win32ListView::addRows(const std::vector<std::vector<std::string>>& rows) {
    if (rows.empty())
        return;
    // A full history is 100,000 rows. Wine finds a subclassed control's subclasses with a
    // call to its server for every message (two a row: a minute in all), so the rows go
    // straight to the list's own procedure, where the subclasses would pass them unchanged;
    // the control repaints and sets its scroll bars once, at the end.
    const auto own = reinterpret_cast<WNDPROC>(GetClassLongPtrW(hwnd_, GCLP_WNDPROC));
    const int first = count();
    ListView_SetItemCountEx(hwnd_, first + static_cast<int>(rows.size()), LVSICF_NOINVALIDATEALL);
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    const auto redraw = [&] {
        SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(hwnd_, nullptr, TRUE);
        notify();
    };
    try {
        for (size_t i = 0; i < rows.size(); ++i)
            insert(first + static_cast<int>(i), rows[i], own);
    } catch (...) {
        redraw();
        throw;
    }
    redraw();
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
