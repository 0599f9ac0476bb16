// Shows one picture the way the file dialog's preview needs it: fitted proportionally into the
// widget, or at its own size; centred either way and clipped where it is larger. Without a
// picture the widget is white. A mouse press on it is reported as pressed().
#pragma once

#include <QImage>
#include <QWidget>

class PictureView : public QWidget {
    Q_OBJECT

  public:
    explicit PictureView(QWidget* parent = nullptr);

    // ownSize: the size the picture stands for when it is a smaller stand-in (the thumbnail
    // while the whole picture loads); it is drawn at that size.
    void setPicture(const QImage& picture, const QSize& ownSize = QSize());
    // Back to plain white.
    void clear();
    const QImage& picture() const { return picture_; }
    void setFitted(bool fitted);
    bool isFitted() const { return fitted_; }
    // Where the picture is drawn, in the widget's coordinates; it may reach past the widget.
    QRect pictureRect() const;

  signals:
    void pressed();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QImage picture_;
    QSize ownSize_;
    bool fitted_ = true;
};
