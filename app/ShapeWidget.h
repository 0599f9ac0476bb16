// A plain rectangle with a border (pen) and a fill (brush) colour: the signal lines, boxes and
// rotary switches of the unit pages.
#pragma once

#include <QColor>
#include <QWidget>

class ShapeWidget : public QWidget {
    Q_OBJECT
  public:
    enum class Border { Pen, SameAsFill };

    ShapeWidget(QWidget* parent, const QString& name, QRect geometry, Border border);

    QColor brushColor() const { return brush_; }
    QColor penColor() const { return border_ == Border::SameAsFill ? brush_ : pen_; }
    void setBrushColor(const QColor& color);
    void setPenColor(const QColor& color);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Border border_;
    QColor brush_ = Qt::white;
    QColor pen_ = Qt::black;
};
