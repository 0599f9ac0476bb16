// A filled rectangle with a border of a given width, drawn inside its own bounds: the frame of
// the information window and the white covers over the ends of its link lines.
#pragma once

#include <QColor>
#include <QWidget>

class FrameShape : public QWidget {
    Q_OBJECT
  public:
    FrameShape(QWidget* parent, const QString& name, QRect geometry, const QColor& fill,
               const QColor& border, int borderWidth);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor fill_;
    QColor border_;
    int borderWidth_;
};
