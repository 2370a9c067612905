#pragma once

#include "platform/picture.h"

#include <QIcon>
#include <QPixmap>

namespace tw {

// A picture drawn by Qt: either an icon (any number of sizes) or a single bitmap.
class QtPicture : public Picture {
  public:
    static PicturePtr icon(const QIcon& icon);
    static PicturePtr bitmap(const QPixmap& pixmap);

    PictureType type() const override { return type_; }
    // The picture as an icon; a bitmap becomes a one-size icon.
    QIcon toIcon() const;

  private:
    QtPicture(PictureType type, QIcon icon, QPixmap pixmap);

    PictureType type_;
    QIcon icon_;
    QPixmap pixmap_;
};

} // namespace tw
