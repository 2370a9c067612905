#include "settings/settings.h"

#include "core/list_view.h"
#include "settings/settings_keys.h"

#include <string_view>

namespace tw {

std::string Settings::get(const std::string& key, const std::string& fallback) {
    return store_.get(keys::kApplication, keys::kSection, key, fallback);
}

void Settings::save(const std::string& key, const std::string& value) {
    store_.save(keys::kApplication, keys::kSection, key, value);
}

void Settings::saveList(const ListView& list) {
    // Joined as toStoredList() joins, without a copy of every row on the way.
    std::string stored;
    for (int i = 1; i <= list.count(); ++i) {
        stored += list.text(i);
        stored += kListItemSeparator;
    }
    save(list.name(), stored);
}

void Settings::loadList(ListView& list) {
    for (const auto& row : fromStoredList(get(list.name())))
        list.addRow(row);
}

std::string toStoredList(const std::vector<std::string>& rows) {
    std::string stored;
    for (const auto& row : rows) {
        stored += row;
        stored += kListItemSeparator;
    }
    return stored;
}

std::vector<std::string> fromStoredList(const std::string& stored) {
    const std::string_view separator(kListItemSeparator);
    std::vector<std::string> rows;
    size_t start = 0;
    for (size_t hit = stored.find(separator); hit != std::string::npos;
         hit = stored.find(separator, start)) {
        if (hit > start)
            rows.emplace_back(stored, start, hit - start);
        start = hit + separator.size();
    }
    return rows;
}

} // namespace tw
