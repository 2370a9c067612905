// The retry limit of the clipboard helpers.
#include "history/clipboard_helpers.h"
#include "support/fake_clipboard.h"

#include <gtest/gtest.h>

using namespace tw;
using namespace tw::test;

TEST(ClipboardHelpers, RetryWhileBusyUpToTheLimit) {
    FakeClipboard clipboard;
    clipboard.busyAttempts = 999;
    clearClipboard(clipboard);
    EXPECT_EQ(clipboard.clearAttempts, 1000);
    EXPECT_EQ(clipboard.clears, 1);

    clipboard.busyAttempts = 999;
    EXPECT_TRUE(putTextOnClipboard(clipboard, "a\tb\r\n", 0));
    EXPECT_EQ(clipboard.setAttempts, 1000);
    EXPECT_EQ(clipboard.text, "a\tb\r\n");
}

TEST(ClipboardHelpers, GiveUpAfterTheLimitLeavingTheClipboardAlone) {
    FakeClipboard clipboard;
    clipboard.busyAttempts = 2000;
    clearClipboard(clipboard);
    EXPECT_EQ(clipboard.clearAttempts, 1000);
    EXPECT_EQ(clipboard.text, "old content");
    EXPECT_FALSE(putTextOnClipboard(clipboard, "new", 0));
    EXPECT_EQ(clipboard.setAttempts, 1000);
    EXPECT_EQ(clipboard.text, "old content");
}
