// A button with a glyph and, 10 pixels after it, its caption, the two centred together. The
// button's own text-beside-icon layout keeps its style's small gap whatever a style sheet
// asks, so this one places the two itself and leaves only the frame to the style.
#pragma once

#include <QRect>
#include <QToolButton>

class GlyphCaptionButton : public QToolButton {
  public:
    static constexpr int GlyphSpacing = 10;

    explicit GlyphCaptionButton(QWidget* parent);

    // Where the glyph and the caption are drawn, in the button's coordinates (not pressed).
    QRect GlyphRect() const;
    QRect CaptionRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QSize GlyphSize() const;
    int ContentLeft() const;
};
