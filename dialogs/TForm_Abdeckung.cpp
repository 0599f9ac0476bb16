#include "TForm_Abdeckung.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

TForm_Abdeckung* Form_Abdeckung = nullptr;

TForm_Abdeckung::TForm_Abdeckung(QWidget* mainWindow)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus),
      mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("Form_Abdeckung"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowOpacity(Alpha / 255.0);
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
    setWindowOpacity(Alpha / 255.0);
    SetColour(Black);
    hide();
}

void TForm_Abdeckung::ShowWith(const QColor& colour) {
    setWindowOpacity(Alpha / 255.0);
    SetColour(colour);
    setGeometry(ScreenArea());
    show();
    raise();
}

void TForm_Abdeckung::SetColour(const QColor& colour) {
    colour_ = colour;
    update();
}

QRect TForm_Abdeckung::ScreenArea() const {
    const QScreen* screen = mainWindow_ != nullptr ? mainWindow_->screen() : nullptr;
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen != nullptr ? screen->geometry() : QRect(0, 0, 640, 480);
}

void TForm_Abdeckung::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), colour_);
}

void TForm_Abdeckung::mousePressEvent(QMouseEvent* event) {
    event->accept();
}
