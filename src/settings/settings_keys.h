#pragma once

namespace tw::keys {

// Every value lives under this application and section of the settings store.
inline constexpr const char* kApplication = "Quillmark";
inline constexpr const char* kSection = "Tidewell";

inline constexpr const char* kScheduleMode = "Option1";
inline constexpr const char* kWeeklyDay = "Weekly";
inline constexpr const char* kWeeklyTime = "Weekly Time";
inline constexpr const char* kHours = "Text1";
inline constexpr const char* kMinutes = "Text2";
inline constexpr const char* kSeconds = "Text3";
inline constexpr const char* kRunEnabled = "Check1";
inline constexpr const char* kCloseEnabled = "Check2";
inline constexpr const char* kSoftClose = "Option7";
inline constexpr const char* kHardClose = "Option6";
inline constexpr const char* kWindowsStartup = "Windows Startup";
inline constexpr const char* kMinimized = "Minimized";

} // namespace tw::keys
