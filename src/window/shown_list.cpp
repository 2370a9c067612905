#include "window/shown_list.h"

#include <stdexcept>

namespace tw {

ShownList::ShownList(ListControl& shown) : shown_(shown), name_(shown.name()) {
    takeControlRows();
    shown_.setRowsChangedHandler([this] {
        if (changing_)
            return;
        takeControlRows();
        if (changed_)
            changed_();
    });
}

void ShownList::takeControlRows() {
    entries_.clear();
    for (int i = 1, n = shown_.count(); i <= n; ++i)
        entries_.push_back(shown_.text(i));
}

std::string ShownList::text(int row) const {
    if (row < 1 || row > count())
        throw std::out_of_range("Index out of bounds");
    return entries_[static_cast<std::size_t>(row - 1)];
}

template <class Change> void ShownList::change(Change&& apply) {
    changing_ = true;
    try {
        apply();
    } catch (...) {
        changing_ = false;
        throw;
    }
    changing_ = false;
    if (changed_)
        changed_();
}

int ShownList::addRow(const std::string& text) {
    int row = 0;
    change([&] {
        row = shown_.addRow(text);
        entries_.push_back(text);
    });
    return row;
}

void ShownList::addRows(const std::vector<std::vector<std::string>>& rows) {
    change([&] {
        shown_.addRows(rows);
        for (const auto& texts : rows)
            entries_.push_back(texts.empty() ? std::string() : texts.front());
    });
}

void ShownList::setSubItem(int row, int k, const std::string& text) {
    change([&] { shown_.setSubItem(row, k, text); });
}

void ShownList::remove(int row) {
    change([&] {
        shown_.remove(row);
        entries_.erase(entries_.begin() + (row - 1));
    });
}

void ShownList::clear() {
    change([&] {
        shown_.clear();
        entries_.clear();
    });
}

} // namespace tw
