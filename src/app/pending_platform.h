#pragma once

// TEMPORARY: the Linux launcher, process list, window list, autostart and clipboard are
// being written; until they land the program answers every such request with a failure
// that says so, which the error box shows. Remove this file when they are in.

#include "platform/autostart.h"
#include "platform/clipboard.h"
#include "platform/launcher.h"
#include "platform/processes.h"
#include "platform/windows.h"

#include <stdexcept>
#include <unistd.h>

namespace tw {

inline constexpr const char* kPendingPlatform = "Not available in this build yet";

class PendingLauncher : public Launcher {
  public:
    void openFile(const std::string&, const std::string&) override {
        throw std::runtime_error(kPendingPlatform);
    }
    void openUrl(const std::string&) override { throw std::runtime_error(kPendingPlatform); }
    std::string editorDirectory() const override { return {}; }
    std::string editorFileName() const override { return {}; }
};

class PendingProcesses : public Processes {
  public:
    std::vector<ProcessInfo> list() override { throw std::runtime_error(kPendingPlatform); }
    bool kill(const ProcessInfo&) override { return false; }
    int selfPid() const override { return static_cast<int>(getpid()); }
};

class PendingWindows : public Windows {
  public:
    std::vector<TopLevelWindow> closableWindows() override {
        throw std::runtime_error(kPendingPlatform);
    }
    void requestClose(WindowId) override { throw std::runtime_error(kPendingPlatform); }
};

class PendingAutostart : public Autostart {
  public:
    std::string executableName() const override { return {}; }
    void add(const std::string&) override { throw std::runtime_error(kPendingPlatform); }
    void remove(const std::string&) override { throw std::runtime_error(kPendingPlatform); }
};

class PendingClipboard : public Clipboard {
  public:
    bool tryClear() override { return false; }
    bool trySetText(const std::string&, int) override { return false; }
};

} // namespace tw
