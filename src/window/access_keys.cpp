#include "window/access_keys.h"

namespace tw {

namespace {

struct CaptionKey {
    const char* caption;
    char key;
};

// One letter per caption, none shared by two captions shown at the same time. "Stop" is
// shown in place of "Turn On", so it keeps the same key. A caption that two frames share
// takes one key for both: the key then moves the focus between the two.
constexpr CaptionKey kKeys[] = {
    {"Turn On", 't'},
    {"Stop", 't'},
    {"Enable This Close Feature", 'e'},
    {"Add 'Program To Close' Item", 'a'},
    {"Browse To Exe", 'b'},
    {"Delete Selected Item", 'd'},
    {"Execute Close Now (Test)", 'x'},
    {"Clear List", 'c'},
    {"Load Sample/Example Items", 'l'},
    {"Soft close", 's'},
    {"Hard close", 'h'},
    {"Load this software on Windows startup", 'w'},
    {"Minimized to system tray", 'm'},
    {"Every X:", 'v'},
    {"Hours:", 'o'},
    {"Minutes:", 'i'},
    {"Seconds:", 'n'},
    {"Daily:", 'y'},
    {"Weekly:", 'k'},
    {"Enable This Run Feature", 'u'},
    {"Execute Run Now (Test)", 'r'},
    {"Copy History To Clipboard", 'p'},
    {"Clear History Log", 'g'},
};

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

char accessKey(std::string_view caption) {
    for (const CaptionKey& entry : kKeys)
        if (caption == entry.caption)
            return entry.key;
    return '\0';
}

std::string markAccessKey(std::string_view caption, char key) {
    std::string shown;
    shown.reserve(caption.size() + 2);
    bool marked = key == '\0';
    for (const char c : caption) {
        if (!marked && lower(c) == lower(key)) {
            shown += '&';
            marked = true;
        }
        if (c == '&')
            shown += '&';
        shown += c;
    }
    return shown;
}

std::string shownCaption(std::string_view caption) {
    return markAccessKey(caption, accessKey(caption));
}

std::string shownCaption(const ControlPlace& place) {
    return place.kind == ControlKind::Frame ? markAccessKey(place.caption, '\0')
                                            : shownCaption(place.caption);
}

std::string plainCaption(std::string_view shown) {
    std::string plain;
    plain.reserve(shown.size());
    for (size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] == '&' && i + 1 < shown.size())
            ++i;
        plain += shown[i];
    }
    return plain;
}

} // namespace tw
