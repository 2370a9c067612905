#pragma once

#include "platform/clipboard.h"

#include <string>

namespace tw::test {

// A clipboard that is busy for a number of attempts before it gives in.
class FakeClipboard : public Clipboard {
  public:
    bool tryClear() override {
        ++clearAttempts;
        if (busyAttempts > 0) {
            --busyAttempts;
            return false;
        }
        text.clear();
        format = 0;
        ++clears;
        return true;
    }
    bool trySetText(const std::string& t, int f) override {
        ++setAttempts;
        if (busyAttempts > 0) {
            --busyAttempts;
            return false;
        }
        text = t;
        format = f;
        return true;
    }

    int busyAttempts = 0; // attempts that fail before the clipboard is free
    std::string text = "old content";
    int format = 0;
    int clears = 0;
    int clearAttempts = 0;
    int setAttempts = 0;
};

} // namespace tw::test
