#include "platform/qt/qt_picture.h"

namespace tw {

QtPicture::QtPicture(PictureType type, QIcon icon) : type_(type), icon_(std::move(icon)) {}

PicturePtr QtPicture::icon(const QIcon& icon) {
    const PictureType type = icon.isNull() ? PictureType::None : PictureType::Icon;
    return PicturePtr(new QtPicture(type, icon));
}

} // namespace tw
