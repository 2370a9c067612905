#pragma once

#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>

namespace tw {

// A value that did not reach the store; the store's file is left as it was.
class StoreWriteError : public std::runtime_error {
  public:
    StoreWriteError(std::string path, std::string reason)
        : std::runtime_error("Could not write the settings to " + path + ": " + reason),
          path_(std::move(path)), reason_(std::move(reason)) {}
    const std::string& path() const { return path_; }
    const std::string& reason() const { return reason_; }

  private:
    std::string path_;
    std::string reason_;
};

// The store's file could not be read completely.
struct StoreReadTrouble {
    std::string path;
    std::string reason;
    // A copy of the file as it was found, made before anything was written to it; "" when
    // none could be made.
    std::string keptCopy;
};

// Read trouble waiting to be taken, each place (file or key) reported once a run.
class ReadTroubleOnce {
  public:
    void note(StoreReadTrouble trouble) {
        if (reported_.insert(trouble.path).second)
            waiting_ = std::move(trouble);
    }
    bool reported(const std::string& path) const { return reported_.count(path) != 0; }
    std::optional<StoreReadTrouble> take() { return std::exchange(waiting_, std::nullopt); }

  private:
    std::optional<StoreReadTrouble> waiting_;
    std::set<std::string> reported_;
};

// The per-user store of string values addressed by application, section and key.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // The stored text, or fallback when the application, section or key is missing.
    virtual std::string get(const std::string& application, const std::string& section,
                            const std::string& key, const std::string& fallback) = 0;
    // Stores the text at once, durably, replacing any value; throws on a failed write
    // (StoreWriteError when the reason is known).
    virtual void save(const std::string& application, const std::string& section,
                      const std::string& key, const std::string& value) = 0;

    // Read trouble met since the last call, each once; nothing when all was read.
    virtual std::optional<StoreReadTrouble> takeReadTrouble() { return std::nullopt; }
    // False when the last get could not read the store at all, so that it answered with
    // the fallback whatever the store holds.
    virtual bool lastGetRead() const { return true; }
    // While on, the store may hold open what it opened, for a run of calls milliseconds
    // apart; off, each call opens the store anew and meets any change of who may use it.
    virtual void keepOpen(bool /*on*/) {}
};

} // namespace tw
