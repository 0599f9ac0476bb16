#include "GlyphCaptionButton.h"

#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <algorithm>

GlyphCaptionButton::GlyphCaptionButton(QWidget* parent) : QToolButton(parent) {
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

QSize GlyphCaptionButton::GlyphSize() const {
    return icon().actualSize(iconSize());
}

int GlyphCaptionButton::ContentLeft() const {
    const int content =
        GlyphSize().width() + GlyphSpacing + fontMetrics().horizontalAdvance(text());
    return std::max(0, (width() - content) / 2);
}

QRect GlyphCaptionButton::GlyphRect() const {
    const QSize glyph = GlyphSize();
    return {ContentLeft(), (height() - glyph.height()) / 2, glyph.width(), glyph.height()};
}

QRect GlyphCaptionButton::CaptionRect() const {
    const int left = GlyphRect().right() + 1 + GlyphSpacing;
    return {left, 0, std::max(0, width() - left), height()};
}

void GlyphCaptionButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawComplexControl(QStyle::CC_ToolButton, option);

    // A pressed button shows its content shifted as the style's own buttons do.
    if (option.state & (QStyle::State_Sunken | QStyle::State_On)) {
        painter.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                          style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    }
    icon().paint(&painter, GlyphRect(), Qt::AlignCenter,
                 isEnabled() ? QIcon::Normal : QIcon::Disabled);
    style()->drawItemText(&painter, CaptionRect(), Qt::AlignLeft | Qt::AlignVCenter, palette(),
                          isEnabled(), text(), QPalette::ButtonText);
}
