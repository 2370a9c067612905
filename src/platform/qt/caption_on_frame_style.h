#pragma once

#include <QProxyStyle>

namespace tw {

// Draws a frame (QGroupBox) as a thin grey line with its caption on the top line, so the
// controls inside keep their designed places below it; everything else is the desktop's
// style. A style sheet can draw the same, but it puts every widget of the window through
// Qt's style sheet machinery, whose rules and caches hold about a megabyte.
class CaptionOnFrameStyle : public QProxyStyle {
  public:
    // The frame's line lies this many pixels below its top; the caption is centred on it.
    static constexpr int kLineTop = 7;

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override;
};

// The one instance, for QWidget::setStyle() of each frame; it lives as long as the
// application.
QStyle* captionOnFrameStyle();

} // namespace tw
