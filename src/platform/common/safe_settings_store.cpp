#include "platform/common/safe_settings_store.h"

#include <algorithm>

namespace tw {

namespace {

// A reason as the end of a sentence: the system's own texts may already end in a full stop.
std::string endOfSentence(const std::string& reason) {
    return !reason.empty() && reason.back() == '.' ? reason : reason + ".";
}

} // namespace

SafeSettingsStore::SafeSettingsStore(SettingsStore& inner, Tell tell)
    : inner_(inner), tell_(std::move(tell)) {}

SafeSettingsStore::SafeSettingsStore(std::unique_ptr<SettingsStore> inner, Tell tell)
    : owned_(std::move(inner)), inner_(*owned_), tell_(std::move(tell)) {}

std::string SafeSettingsStore::get(const std::string& application, const std::string& section,
                                   const std::string& key, const std::string& fallback) {
    const Address address{application, section, key};
    for (const auto& [at, value] : pending_)
        if (at == address)
            return value;
    std::string value = inner_.get(application, section, key, fallback);
    if (!inner_.lastGetRead())
        unread_.emplace(address, value);
    tellReadTrouble();
    return value;
}

void SafeSettingsStore::save(const std::string& application, const std::string& section,
                             const std::string& key, const std::string& value) {
    const Address address{application, section, key};
    if (const auto unread = unread_.find(address); unread != unread_.end()) {
        if (unread->second == value)
            return;
        unread_.erase(unread);
    }
    const auto waiting = std::find_if(pending_.begin(), pending_.end(),
                                      [&](const auto& p) { return p.first == address; });
    if (waiting != pending_.end())
        waiting->second = value;
    else
        pending_.emplace_back(address, value);
    flush();
    tellReadTrouble();
}

void SafeSettingsStore::flush() {
    try {
        while (!pending_.empty()) {
            const auto& [address, value] = pending_.front();
            const auto& [application, section, key] = address;
            inner_.save(application, section, key, value);
            pending_.erase(pending_.begin());
        }
    } catch (const StoreWriteError& e) {
        if (failing_)
            return;
        failing_ = true;
        failedPath_ = e.path();
        if (tell_)
            tell_("Tidewell cannot save its settings to " + e.path() + ": " +
                  endOfSentence(e.reason()) +
                  "\n\nYour changes are kept while Tidewell runs, and it tries again at your "
                  "next change.");
        return;
    }
    if (failing_) {
        failing_ = false;
        if (tell_)
            tell_("Tidewell can save its settings to " + failedPath_ +
                  " again; every change is saved.");
    }
}

void SafeSettingsStore::tellReadTrouble() {
    const auto trouble = inner_.takeReadTrouble();
    if (!trouble || !tell_)
        return;
    std::string text = "Tidewell could not read all of its settings from " + trouble->path + ": " +
                       endOfSentence(trouble->reason) + "\n\nEverything it could read is in use.";
    if (!trouble->keptCopy.empty())
        text += " A copy of the file as it was is kept in " + trouble->keptCopy + ".";
    else
        text += " What it could not read is left as it is.";
    tell_(text);
}

} // namespace tw
