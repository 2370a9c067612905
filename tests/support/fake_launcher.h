#pragma once

#include "platform/launcher.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace tw::test {

// A launcher that records what it was asked to open; a test may make the next opens fail.
class FakeLauncher : public Launcher {
  public:
    struct Open {
        std::string file;
        std::string workingDirectory;
    };

    void openFile(const std::string& file, const std::string& workingDirectory) override {
        opened.push_back({file, workingDirectory});
        if (!openFailure.empty())
            throw LaunchFailed(openFailure);
        if (!unexpectedFailure.empty())
            throw std::runtime_error(unexpectedFailure);
    }
    void openUrl(const std::string& url) override {
        urls.push_back(url);
        if (!openFailure.empty())
            throw LaunchFailed(openFailure);
    }
    std::string editorDirectory() const override { return editorDir; }
    std::string editorFileName() const override { return editorFile; }
    std::string editorPath() const override { return editorDir + separator + editorFile; }
    std::string editorTitle() const override { return title.empty() ? editorFile : title; }

    std::string openFailure;       // a launch that starts nothing (thrown as LaunchFailed)
    std::string unexpectedFailure; // any other failure (thrown as std::runtime_error)
    std::string editorDir = "/usr/bin";
    std::string editorFile = "xedit";
    std::string separator = "/"; // "\\" as on Windows
    std::string title;           // the editor's name for its users, when not its file name
    std::vector<Open> opened;
    std::vector<std::string> urls;
};

} // namespace tw::test
