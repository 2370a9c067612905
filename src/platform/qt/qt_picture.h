#pragma once

#include "platform/picture.h"

#include <QIcon>

namespace tw {

// A picture drawn by Qt: an icon at any number of sizes.
class QtPicture : public Picture {
  public:
    static PicturePtr icon(const QIcon& icon);

    PictureType type() const override { return type_; }
    QIcon toIcon() const { return icon_; }

  private:
    QtPicture(PictureType type, QIcon icon);

    PictureType type_;
    QIcon icon_;
};

} // namespace tw
