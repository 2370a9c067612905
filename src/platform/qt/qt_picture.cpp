#include "platform/qt/qt_picture.h"

namespace tw {

QtPicture::QtPicture(PictureType type, QIcon icon, QPixmap pixmap)
    : type_(type), icon_(std::move(icon)), pixmap_(std::move(pixmap)) {}

PicturePtr QtPicture::icon(const QIcon& icon) {
    const PictureType type = icon.isNull() ? PictureType::None : PictureType::Icon;
    return PicturePtr(new QtPicture(type, icon, {}));
}

PicturePtr QtPicture::bitmap(const QPixmap& pixmap) {
    const PictureType type = pixmap.isNull() ? PictureType::None : PictureType::Bitmap;
    return PicturePtr(new QtPicture(type, {}, pixmap));
}

QIcon QtPicture::toIcon() const {
    return type_ == PictureType::Bitmap ? QIcon(pixmap_) : icon_;
}

} // namespace tw
