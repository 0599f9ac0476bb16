#include "TForm_Abdeckung.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "ScreenCompositing.h"

TForm_Abdeckung* Form_Abdeckung = nullptr;

TForm_Abdeckung::TForm_Abdeckung(QWidget* mainWindow)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus),
      mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("Form_Abdeckung"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    // Chosen once, before the window exists: a window with alpha is needed where the window
    // system blends, and where it does not the overlay paints every pixel opaque anyway.
    setAttribute(Qt::WA_TranslucentBackground);
    setEnabled(true);
    SetColour(Black);
}

void TForm_Abdeckung::Cover() {
    ShowWith(Black);
}

void TForm_Abdeckung::CoverOk() {
    ShowWith(OkGreen);
}

void TForm_Abdeckung::CoverError() {
    ShowWith(ErrorRed);
}

void TForm_Abdeckung::Uncover() {
    SetColour(Black);
    hide();
    behind_ = QPixmap();
}

// A change of colour while covered keeps the picture: taken now, it would show the overlay.
void TForm_Abdeckung::ShowWith(const QColor& colour) {
    SetColour(colour);
    if (!isVisible()) {
        ShowOver(CoveredScreen());
    }
    raise();
}

void TForm_Abdeckung::ShowOver(QScreen* screen) {
    composited_ = Composites();
    behind_ = (composited_ || screen == nullptr) ? QPixmap() : PictureOfScreen(screen);
    if (screen == nullptr) {
        show();
        return;
    }
    setScreen(screen);
    setGeometry(screen->geometry());
    // Wayland places windows itself and ignores a position: full screen is how a window
    // covers a screen there.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        showFullScreen();
    } else {
        show();
    }
}

void TForm_Abdeckung::SetColour(const QColor& colour) {
    colour_ = colour;
    update();
}

QScreen* TForm_Abdeckung::CoveredScreen() const {
    QScreen* screen = mainWindow_ != nullptr ? mainWindow_->screen() : nullptr;
    return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

bool TForm_Abdeckung::Composites() const {
    return WindowSystemComposites();
}

QPixmap TForm_Abdeckung::PictureOfScreen(QScreen* screen) const {
    return screen->grabWindow(0);
}

void TForm_Abdeckung::paintEvent(QPaintEvent*) {
    QColor dimming = colour_;
    dimming.setAlpha(Alpha);
    QPainter painter(this);
    if (composited_) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(rect(), dimming);
        return;
    }
    // Black where no picture could be taken (a platform that cannot read its screen).
    painter.fillRect(rect(), Qt::black);
    painter.drawPixmap(rect(), behind_);
    painter.fillRect(rect(), dimming);
}

void TForm_Abdeckung::mousePressEvent(QMouseEvent* event) {
    event->accept();
}
