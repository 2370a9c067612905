#include "platform/qt/caption_on_frame_style.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionGroupBox>
#include <algorithm>

namespace tw {

namespace {

constexpr int kCaptionLeft = 8;    // from the frame's left edge
constexpr int kCaptionPadding = 2; // blank on each side of the caption, over the line
const QColor kLineColour(0xa0, 0xa0, 0xa0);

} // namespace

QRect CaptionOnFrameStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                          SubControl part, const QWidget* widget) const {
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || !box)
        return QProxyStyle::subControlRect(control, option, part, widget);
    const QRect all = box->rect;
    const int captionHeight = box->fontMetrics.height();
    const int captionTop = std::max(0, kLineTop - captionHeight / 2);
    switch (part) {
    case SC_GroupBoxFrame:
        return all.adjusted(0, kLineTop, 0, 0);
    case SC_GroupBoxLabel: {
        const int width = box->fontMetrics.horizontalAdvance(box->text) + 2 * kCaptionPadding;
        return QRect(all.left() + kCaptionLeft, all.top() + captionTop,
                     box->text.isEmpty() ? 0 : width, captionHeight);
    }
    case SC_GroupBoxContents:
        return all.adjusted(1, captionTop + captionHeight, -1, -1);
    default:
        return {}; // no check box
    }
}

void CaptionOnFrameStyle::drawComplexControl(ComplexControl control,
                                             const QStyleOptionComplex* option, QPainter* painter,
                                             const QWidget* widget) const {
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || !box) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(kLineColour);
    painter->setBrush(Qt::NoBrush);
    const QRect line = subControlRect(CC_GroupBox, box, SC_GroupBoxFrame, widget);
    painter->drawRect(line.adjusted(0, 0, -1, -1));
    const QRect caption = subControlRect(CC_GroupBox, box, SC_GroupBoxLabel, widget);
    if (!caption.isEmpty()) {
        painter->fillRect(caption, box->palette.window());
        drawItemText(painter, caption.adjusted(kCaptionPadding, 0, -kCaptionPadding, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextHideMnemonic, box->palette,
                     box->state & State_Enabled, box->text, QPalette::WindowText);
    }
    painter->restore();
}

QStyle* captionOnFrameStyle() {
    static auto* style = [] {
        auto* made = new CaptionOnFrameStyle;
        made->setParent(qApp); // goes with the application, after the widgets
        return made;
    }();
    return style;
}

} // namespace tw
