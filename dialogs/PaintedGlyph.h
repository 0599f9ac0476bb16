// A button glyph drawn by a painter each time it is asked for, at the size and the device pixel
// ratio it is shown at: sharp on a screen scaled by any factor, where a glyph held as a picture
// of its logical size is blown up and blurs.
#pragma once

#include <QIcon>
#include <QIconEngine>
#include <functional>

class PaintedGlyph : public QIconEngine {
  public:
    // Draws the glyph into a box of its natural size, in logical pixels.
    using Drawing = std::function<void(QPainter&)>;

    // The glyph as an icon. A button shows it at its natural size when its icon size is that
    // size.
    static QIcon Icon(QSize naturalSize, Drawing draw);

    PaintedGlyph(QSize naturalSize, Drawing draw);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;

  private:
    QSize natural_;
    Drawing draw_;
};
