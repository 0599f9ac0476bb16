// The dimming overlay: a borderless black window over the whole screen of the main window,
// about 62 % opaque, that stays on top and takes every click reaching it while a modal
// window of the program is open. Green and red flash the outcome of an operation.
//
// Where the window system cannot blend windows (X11 without a compositor) the overlay is
// drawn fully opaque: it still covers and blocks, the screen behind is simply not visible.
#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>

class TForm_Abdeckung : public QWidget {
    Q_OBJECT
  public:
    static constexpr int Alpha = 157;  // of 255
    static inline const QColor Black{0, 0, 0};
    static inline const QColor OkGreen{0, 128, 0};
    static inline const QColor ErrorRed{255, 0, 0};

    // The overlay covers the screen that mainWindow is on (the primary one without it).
    explicit TForm_Abdeckung(QWidget* mainWindow = nullptr);

    void Cover();       // black
    void CoverOk();     // green: an operation succeeded
    void CoverError();  // red: an operation failed
    void Uncover();     // hidden, black again

    QColor CoverColour() const { return colour_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    // Clicks stop here: nothing behind the overlay can be reached.
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void ShowWith(const QColor& colour);
    void SetColour(const QColor& colour);
    QRect ScreenArea() const;

    QPointer<QWidget> mainWindow_;
    QColor colour_ = Black;
};

// The one overlay of the running program; null until the entry point has made it.
extern TForm_Abdeckung* Form_Abdeckung;
