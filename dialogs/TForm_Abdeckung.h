// The dimming overlay: a borderless window over the whole screen of the main window that
// stays on top and takes every click reaching it while a modal window of the program is open.
// It shows the screen behind it through black at alpha 157 of 255 (about 62 % opaque); green
// and red flash the outcome of an operation.
//
// A Wayland compositor (also one serving X clients through XWayland) raises a window that is
// clicked over everything, the dialog included, and lets no client stack a window of its own
// over another's. There the overlay covers what a client can cover: the main window, as a
// child widget over all its controls, dimming it and taking its clicks, while the dialog sits
// above it as the main window's transient. The form is chosen once, when the overlay is made;
// both offer the same operations.
//
// Where the window system blends windows (WindowSystemComposites) the overlay is a translucent
// window painted in its colour at that alpha, and the screen behind stays live. Where it does
// not, a translucent window would show black: the overlay takes a picture of the screen just
// before it covers, and paints that picture with its colour blended over it.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

class TForm_Abdeckung : public QWidget {
    Q_OBJECT
  public:
    static constexpr int Alpha = 157;  // of 255
    static inline const QColor Black{0, 0, 0};
    static inline const QColor OkGreen{0, 128, 0};
    static inline const QColor ErrorRed{255, 0, 0};

    enum class Form {
        ScreenWindow,     // a window of its own over the whole screen
        MainWindowCover,  // a child widget over the whole main window
    };
    // The form the desktop session allows: MainWindowCover in a Wayland session.
    static Form FormForSession();

    // ScreenWindow covers the screen that mainWindow is on (the primary one without it);
    // MainWindowCover covers mainWindow and needs one (without it, ScreenWindow is used).
    explicit TForm_Abdeckung(QWidget* mainWindow = nullptr, Form form = FormForSession());

    Form CoverForm() const { return form_; }

    void Cover();       // black
    void CoverOk();     // green: an operation succeeded
    void CoverError();  // red: an operation failed
    void Uncover();     // hidden, black again

    QColor CoverColour() const { return colour_; }

  protected:
    // Asked when the overlay goes up; a test stands in for the window system here.
    virtual bool Composites() const;
    virtual QPixmap PictureOfScreen(QScreen* screen) const;

    void paintEvent(QPaintEvent* event) override;
    // Clicks stop here: nothing behind the overlay can be reached.
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // Follows the main window's size while it covers it.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowWith(const QColor& colour);
    void ShowOver(QScreen* screen);
    void ShowOverMainWindow();
    void SetColour(const QColor& colour);
    QScreen* CoveredScreen() const;

    QPointer<QWidget> mainWindow_;
    Form form_;
    QColor colour_ = Black;
    bool composited_ = true;
    QPixmap behind_;  // the screen as it was before covering, where nothing composites
};

// The one overlay of the running program; null until the entry point has made it.
extern TForm_Abdeckung* Form_Abdeckung;
