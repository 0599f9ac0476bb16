#include "ParameterDialogFrame.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>
#include <algorithm>
#include <utility>

#include "MainWindowTransient.h"
#include "OverlayCover.h"
#include "PaintedGlyph.h"
#include "Thread_Write.h"
#include "WindowFont.h"

namespace {

constexpr int FontPixelHeight = 11;  // 8 pt on a 96 dpi screen
constexpr int Margin = 8;
constexpr int BottomPanelHeight = 58;
constexpr int ButtonGap = 16;

constexpr QSize GlyphSize(16, 16);

// The glyphs of the two buttons: a green tick and a red cross.
QIcon Glyph(bool tick) {
    return PaintedGlyph::Icon(GlyphSize, [tick](QPainter& painter) {
        painter.setPen(QPen(tick ? QColor(0, 128, 0) : QColor(200, 0, 0), 2.5, Qt::SolidLine,
                            Qt::RoundCap, Qt::RoundJoin));
        if (tick) {
            painter.drawPolyline(QPolygonF({{2.5, 8.5}, {6.5, 12.5}, {13.5, 3.5}}));
        } else {
            painter.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
            painter.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
        }
    });
}

QPushButton* FrameButton(QWidget* parent, const char* name, const QString& caption, bool tick,
                         int left, int top) {
    auto* button = new QPushButton(Glyph(tick), caption, parent);
    button->setIconSize(GlyphSize);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(left, top, ParameterDialogFrame::ButtonWidth,
                        ParameterDialogFrame::ButtonHeight);
    return button;
}

}  // namespace

ParameterDialogFrame::ParameterDialogFrame(const QString& objectName, const QString& caption,
                                           const QString& groupBoxName, QWidget* mainWindow,
                                           DeviceStateRecord& deviceState, Thread_Write* writer,
                                           int clientWidth)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      mainWindow_(mainWindow),
      deviceState_(deviceState),
      writer_(writer) {
    // A window of its own, not a child of the main window: its controls share names with the
    // pages' (Edit_SpeedFaktor, Label_StartModus), and a search for a page's control must not
    // find a dialog's.
    setObjectName(objectName);
    setWindowTitle(caption);
    setFont(WindowFont(FontPixelHeight));
    setFixedSize(clientWidth, ClientHeight);
    BuildFrame(groupBoxName, clientWidth);
    connect(BitBtn_OK, &QPushButton::clicked, this, [this] { BitBtn_OKClick(); });
    connect(BitBtn_Cancel, &QPushButton::clicked, this, [this] { BitBtn_CancelClick(); });
}

void ParameterDialogFrame::BuildFrame(const QString& groupBoxName, int clientWidth) {
    Panel_Mitte = new QFrame(this);
    Panel_Mitte->setObjectName(QStringLiteral("Panel_Mitte"));
    Panel_Mitte->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel_Mitte->setGeometry(0, 0, clientWidth, ClientHeight);

    const int innerWidth = clientWidth - 2 * Margin;
    const int bottomTop = ClientHeight - Margin - BottomPanelHeight;
    groupBox_ = new QGroupBox(Panel_Mitte);
    groupBox_->setObjectName(groupBoxName);
    groupBox_->setGeometry(Margin, Margin, innerWidth, bottomTop - 2 * Margin);

    BottomPanel = new QWidget(Panel_Mitte);
    BottomPanel->setObjectName(QStringLiteral("BottomPanel"));
    BottomPanel->setGeometry(Margin, bottomTop, innerWidth, BottomPanelHeight);
    const int left = (innerWidth - 2 * ButtonWidth - ButtonGap) / 2;
    const int top = (BottomPanelHeight - ButtonHeight) / 2;
    BitBtn_OK = FrameButton(BottomPanel, "BitBtn_OK", QStringLiteral("OK"), true, left, top);
    BitBtn_Cancel = FrameButton(BottomPanel, "BitBtn_Cancel", QStringLiteral("Abbrechen"), false,
                                left + ButtonWidth + ButtonGap, top);
    BitBtn_OK->setDefault(true);
}

int ParameterDialogFrame::ShowModalCovered() {
    OverlayCover cover;
    return RunModal();
}

QPoint ParameterDialogFrame::CentredTopLeft(const QRect& mainWindow, const QSize& dialog) {
    return {mainWindow.left() + mainWindow.width() / 2 - dialog.width() / 2,
            mainWindow.top() + mainWindow.height() / 2 - dialog.height() / 2};
}

QMargins ParameterDialogFrame::FrameMargins() const {
    return windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
}

QMargins ParameterDialogFrame::MainWindowFrameMargins() const {
    if (mainWindow_ == nullptr) {
        return {};
    }
    const QRect outer = mainWindow_->frameGeometry();
    const QRect inner = mainWindow_->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

// Places the client area so that the outer frame, client plus the given margins, is centred.
void ParameterDialogFrame::CentreOverMainWindow(const QMargins& frame) {
    placedWith_ = frame;
    if (mainWindow_ == nullptr) {
        return;
    }
    const QPoint outer = CentredTopLeft(mainWindow_->frameGeometry(), size().grownBy(frame));
    setGeometry(QRect(outer + QPoint(frame.left(), frame.top()), size()));
}

// The window manager has framed the dialog by its first exposure; a frame other than the one
// assumed moves it at once, before its first paint.
void ParameterDialogFrame::CheckFrameOnceExposed() {
    if (!checkingFrame_ || windowHandle() == nullptr || !windowHandle()->isExposed()) {
        return;
    }
    checkingFrame_ = false;
    knownFrame_ = FrameMargins();
    if (*knownFrame_ != placedWith_) {
        CentreOverMainWindow(*knownFrame_);
    }
}

void ParameterDialogFrame::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) {
        return;  // the window system showing it again (after a minimise), not a new showing
    }
    // The frame of a window not on screen is not known: the one it had when last shown stands
    // in for it, and before its first showing the main window's, drawn by the same window
    // manager.
    MakeTransientForMainWindow(*this, mainWindow_);
    CentreOverMainWindow(knownFrame_.value_or(MainWindowFrameMargins()));
    checkingFrame_ = true;
    if (QWindow* window = windowHandle()) {
        window->installEventFilter(this);
    }
    PreviewKeysOfChildren();
    OrderTabStops();
    FormShow();
    BitBtn_Cancel->setFocus(Qt::OtherFocusReason);
}

// Tab runs through the setting's controls as they stand, from top to bottom and left to right
// within a row, then to OK and Abbrechen, whatever order the controls were made in.
void ParameterDialogFrame::OrderTabStops() {
    QList<QWidget*> stops;
    for (QWidget* child : groupBox_->findChildren<QWidget*>()) {
        if (child->focusPolicy() != Qt::NoFocus && child->window() == this) {
            stops.append(child);
        }
    }
    const auto place = [this](const QWidget* widget) {
        const QPoint topLeft = widget->mapTo(this, QPoint(0, 0));
        return std::make_pair(topLeft.y(), topLeft.x());
    };
    std::stable_sort(stops.begin(), stops.end(),
                     [&place](const QWidget* a, const QWidget* b) { return place(a) < place(b); });
    stops << BitBtn_OK << BitBtn_Cancel;
    for (qsizetype i = 1; i < stops.size(); ++i) {
        setTabOrder(stops[i - 1], stops[i]);
    }
    MakeCheckedRadioTheTabStop();
}

// Of a row of radio buttons only one is a Tab stop (the arrow keys move within the row); it is
// the one checked, so that Tab lands on the mode in force.
void ParameterDialogFrame::MakeCheckedRadioTheTabStop() {
    const QList<QRadioButton*> radios = groupBox_->findChildren<QRadioButton*>();
    const bool anyChecked = std::any_of(
        radios.begin(), radios.end(), [](const QRadioButton* radio) { return radio->isChecked(); });
    if (!anyChecked) {
        return;
    }
    for (QRadioButton* radio : radios) {
        radio->setFocusPolicy(radio->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void ParameterDialogFrame::BitBtn_OKClick() {
    PlaceCommands();
    accept();
}

void ParameterDialogFrame::BitBtn_CancelClick() {
    reject();
}

void ParameterDialogFrame::PlaceIntoSlots(const std::string& slot1, const std::string& slot2,
                                          const std::string& slot3) {
    if (writer_ == nullptr) {
        return;
    }
    writer_->SetSlot1(slot1);
    writer_->SetSlot2(slot2);
    if (!slot3.empty()) {
        writer_->SetSlot3(slot3);
    }
}

// Installing again only moves the filter to the end; controls made later are caught too.
void ParameterDialogFrame::PreviewKeysOfChildren() {
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
        // Value fields and lists offer no menu: no copy, no paste past the field's check.
        if (qobject_cast<QLineEdit*>(child) != nullptr ||
            qobject_cast<QComboBox*>(child) != nullptr) {
            child->setContextMenuPolicy(Qt::PreventContextMenu);
        }
    }
}

// A key goes to the focused control first and, when that control ignores it, on to each of
// its parents, every one of which carries this filter: preview it only where it starts.
bool ParameterDialogFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && watched == windowHandle()) {
        CheckFrameOnceExposed();
    }
    if (event->type() == QEvent::KeyPress && watched == focusWidget()) {
        if (FormKeyDown(static_cast<QKeyEvent*>(event))) {
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool ParameterDialogFrame::FormKeyDown(QKeyEvent*) {
    return false;
}
