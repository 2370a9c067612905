#pragma once

#include "platform/settings_store.h"

#include <string>
#include <vector>

namespace tw {

class ListView;

// Follows every row of a stored list.
inline constexpr const char* kListItemSeparator = "||||||||---|||";

// The program's settings: the store's values under the program's application and section.
class Settings {
  public:
    explicit Settings(SettingsStore& store) : store_(store) {}

    std::string get(const std::string& key, const std::string& fallback = {});
    void save(const std::string& key, const std::string& value);

    // Writes the list's row texts under the list's control name.
    void saveList(const ListView& list);
    // Appends the rows stored under the list's control name.
    void loadList(ListView& list);

    // Holds the store open for a run of calls, until it ends.
    class KeptOpen {
      public:
        explicit KeptOpen(SettingsStore& store) : store_(store) { store_.keepOpen(true); }
        ~KeptOpen() { store_.keepOpen(false); }
        KeptOpen(const KeptOpen&) = delete;
        KeptOpen& operator=(const KeptOpen&) = delete;

      private:
        SettingsStore& store_;
    };
    KeptOpen keptOpen() { return KeptOpen(store_); }

  private:
    SettingsStore& store_;
};

// The stored form of a list: each text followed by the separator.
std::string toStoredList(const std::vector<std::string>& rows);
// The rows of a stored list: the pieces between separators, empty pieces skipped and the
// piece after the last separator never used.
std::vector<std::string> fromStoredList(const std::string& stored);

} // namespace tw
