#pragma once

namespace tw {

// The full product title: the window caption, the tray tooltip and the title of the boxes.
inline constexpr const char* kProductTitle = "Tidewell";
// The maker's home page, opened at about one start in a hundred.
inline constexpr const char* kHomePageAddress = "https://www.quillmark.com/";
// Where users are asked to send a screenshot of an error box.
inline constexpr const char* kSupportAddress = "support@quillmark.com";
// The window's measures are designed in twips; a pixel is this many of them.
inline constexpr int kTwipsPerPixel = 15;

} // namespace tw
