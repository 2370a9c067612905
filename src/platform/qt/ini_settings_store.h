#pragma once

#include "platform/settings_store.h"

#include <map>
#include <memory>
#include <optional>

class QSettings;

namespace tw {

// The settings store as one INI file per application in the user's configuration folder
// (userConfigDirectory()/<application>.ini), one group per section. The file is
// shared by every program of the vendor: a line that does not parse costs only that line.
class IniSettingsStore : public SettingsStore {
  public:
    // configDirectory "" means the user's configuration folder, looked up at each call.
    explicit IniSettingsStore(std::string configDirectory = {});
    ~IniSettingsStore() override;

    std::string get(const std::string& application, const std::string& section,
                    const std::string& key, const std::string& fallback) override;
    void save(const std::string& application, const std::string& section, const std::string& key,
              const std::string& value) override;
    std::optional<StoreReadTrouble> takeReadTrouble() override { return trouble_.take(); }
    bool lastGetRead() const override { return lastGetRead_; }

    std::string filePath(const std::string& application) const;

  private:
    std::unique_ptr<QSettings> open(const std::string& path);
    // Reports, with a copy of the file, text that a write would change.
    void noteLossOnRewrite(const std::string& path);

    std::string configDirectory_;
    bool lastGetRead_ = true;
    ReadTroubleOnce trouble_;
    // A file's modification time, size and inode: a file replaced or changed differs in one.
    struct FileStamp {
        long long modifiedNanoseconds = 0;
        long long size = 0;
        long long inode = 0;
        bool operator==(const FileStamp&) const = default;
    };
    static std::optional<FileStamp> stampOf(const std::string& path);
    // Writes the line of a key itself where it can (false: Qt must write the value).
    bool storeLine(const std::string& path, const std::string& section, const std::string& key,
                   const std::string& value);

    // When each file was last found to survive a write unchanged.
    std::map<std::string, FileStamp> unchanged_;
    // What each file looked like after this store last wrote it (absent: unknown), and its
    // text when this store wrote the text itself.
    struct Written {
        std::optional<FileStamp> stamp;
        std::optional<std::string> text;
    };
    std::map<std::string, Written> written_;
};

} // namespace tw
