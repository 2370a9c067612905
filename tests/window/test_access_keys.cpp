// Access keys of the window's captions: what a toolkit is given and what comes back.
#include "window/access_keys.h"
#include "window/window_layout.h"

#include <gtest/gtest.h>
#include <map>
#include <string>

namespace tw::test {
namespace {

TEST(AccessKeys, MarkTheFirstOccurrenceOfTheKeyAndComeBackPlain) {
    EXPECT_EQ(shownCaption("Turn On"), "&Turn On");
    EXPECT_EQ(shownCaption("Stop"), "S&top");
    // The first occurrence, whatever its case.
    EXPECT_EQ(shownCaption("Execute Close Now (Test)"), "E&xecute Close Now (Test)");
    EXPECT_EQ(shownCaption("Every X:"), "E&very X:");
    EXPECT_EQ(shownCaption("Hours:"), "H&ours:");
    // A literal '&' is doubled, before and after the key, and survives the way back.
    EXPECT_EQ(markAccessKey("Tom & Jerry", 'j'), "Tom && &Jerry");
    EXPECT_EQ(markAccessKey("A&B", 'b'), "A&&&B");
    EXPECT_EQ(plainCaption("A&&&B"), "A&B");
    // A caption without its letter, or without a key, only has its '&' doubled.
    EXPECT_EQ(markAccessKey("Stop & go", 'z'), "Stop && go");
    EXPECT_EQ(shownCaption("Close Options"), "Close Options");
    EXPECT_EQ(shownCaption("R&D"), "R&&D");
    for (const char* caption : {"Turn On", "Stop", "Tom & Jerry", "&&", "&", "", "?"})
        EXPECT_EQ(plainCaption(shownCaption(caption)), caption);
}

TEST(AccessKeys, EveryCaptionShownAtOnceHasItsOwnLetterInItsText) {
    // Captions of the same text in two frames share a key; any other two differ. "Stop"
    // stands in for "Turn On".
    std::map<char, std::string> captionOfKey{{accessKey("Stop"), "Turn On"}};
    for (const ControlPlace& place : mainWindowControls()) {
        const std::string caption = place.caption;
        const char key = accessKey(caption);
        if (place.kind == ControlKind::Frame || caption == "?") {
            EXPECT_EQ(key, '\0') << caption;
            continue;
        }
        if (caption.empty())
            continue;
        ASSERT_NE(key, '\0') << caption;
        EXPECT_NE(shownCaption(caption).find('&'), std::string::npos) << caption;
        const auto [it, added] = captionOfKey.emplace(key, caption);
        EXPECT_TRUE(added || it->second == caption)
            << caption << " and " << it->second << " share " << key;
    }
    EXPECT_EQ(captionOfKey.size(), 22u);
}

} // namespace
} // namespace tw::test
