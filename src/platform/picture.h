#pragma once

#include <memory>

namespace tw {

// What kind of image a picture holds; only icons can go into the notification area.
enum class PictureType { None, Icon };

// An image handed around by controls without knowing the toolkit that draws it.
class Picture {
  public:
    virtual ~Picture() = default;
    virtual PictureType type() const = 0;
};

using PicturePtr = std::shared_ptr<const Picture>;

} // namespace tw
