#include "TForm_Abdeckung.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>

#include "ScreenCompositing.h"

TForm_Abdeckung* Form_Abdeckung = nullptr;

namespace {

using Form = TForm_Abdeckung::Form;

Form UsableForm(Form form, const QWidget* mainWindow) {
    return mainWindow != nullptr ? form : Form::ScreenWindow;
}

QWidget* ParentFor(Form form, QWidget* mainWindow) {
    return form == Form::MainWindowCover ? mainWindow : nullptr;
}

Qt::WindowFlags FlagsFor(Form form) {
    if (form == Form::MainWindowCover) {
        return Qt::Widget;
    }
    return Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
           Qt::WindowDoesNotAcceptFocus;
}

}  // namespace

TForm_Abdeckung::Form TForm_Abdeckung::FormForSession() {
    return WaylandSession() ? Form::MainWindowCover : Form::ScreenWindow;
}

TForm_Abdeckung::TForm_Abdeckung(QWidget* mainWindow, Form form)
    : QWidget(ParentFor(UsableForm(form, mainWindow), mainWindow),
              FlagsFor(UsableForm(form, mainWindow))),
      mainWindow_(mainWindow),
      form_(UsableForm(form, mainWindow)) {
    setObjectName(QStringLiteral("Form_Abdeckung"));
    if (form_ == Form::MainWindowCover) {
        // No focus and no menu of its own: neither may pass on to the main window below.
        setFocusPolicy(Qt::NoFocus);
        setContextMenuPolicy(Qt::PreventContextMenu);
        mainWindow_->installEventFilter(this);
        hide();  // a child would otherwise appear with the main window
    } else {
        setAttribute(Qt::WA_ShowWithoutActivating);
        // Chosen once, before the window exists: a window with alpha is needed where the
        // window system blends, and where it does not the overlay paints every pixel opaque
        // anyway.
        setAttribute(Qt::WA_TranslucentBackground);
    }
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
    if (isHidden()) {
        if (form_ == Form::MainWindowCover) {
            ShowOverMainWindow();
        } else {
            ShowOver(CoveredScreen());
        }
    }
    raise();
}

// Over every control: raised on each covering, as controls made later lie above it.
void TForm_Abdeckung::ShowOverMainWindow() {
    setGeometry(mainWindow_->rect());
    show();
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
    if (form_ == Form::MainWindowCover) {
        painter.fillRect(rect(), dimming);  // over the main window's own picture
        return;
    }
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

void TForm_Abdeckung::wheelEvent(QWheelEvent* event) {
    event->accept();
}

bool TForm_Abdeckung::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mainWindow_ && event->type() == QEvent::Resize) {
        setGeometry(mainWindow_->rect());
    }
    return QWidget::eventFilter(watched, event);
}
