#include "PageWidgets.h"

#include <QPainter>

#include "GlyphCaptionButton.h"
#include "PaintedGlyph.h"
#include "StateColours.h"

namespace page_widgets {
namespace {

constexpr int ButtonSize = 21;

constexpr QSize EditGlyphSize(13, 13);

// Three dots on a small sheet: "open the dialog for this value". The disabled image is derived
// from it.
QIcon EditGlyph() {
    return PaintedGlyph::Icon(EditGlyphSize, [](QPainter& painter) {
        // The sheet's outline runs through pixel centres, so that it covers whole pixels.
        painter.setPen(QPen(QColor(64, 64, 64), 1));
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(1.5, 1.5, 10, 10));
        for (const int left : {3, 6, 9}) {
            painter.fillRect(QRectF(left, 7, 2, 2), Qt::black);
        }
    });
}

}  // namespace

QGroupBox* GroupBox(QWidget* parent, const QString& name, QRect geometry, const QString& title) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    return box;
}

QLabel* Label(QWidget* parent, const QString& name, QRect geometry, const QString& text,
              Qt::Alignment alignment) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(alignment);
    return label;
}

QLineEdit* ReadOnlyField(QWidget* parent, const QString& name, QRect geometry,
                         const QColor& colour) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setGeometry(geometry);
    field->setReadOnly(true);
    // A click may focus it, so that its text can be selected and copied; Tab never reaches it.
    field->setFocusPolicy(Qt::ClickFocus);
    field->setContextMenuPolicy(Qt::PreventContextMenu);
    SetField(field, QString(), colour);
    return field;
}

QToolButton* EditButton(QWidget* parent, const QString& name, QPoint position) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setGeometry(QRect(position, QSize(ButtonSize, ButtonSize)));
    button->setAutoRaise(true);
    button->setIcon(EditGlyph());
    button->setIconSize(EditGlyphSize);
    // A Tab stop, so that the keyboard reaches every dialog; a stray Space only opens a dialog,
    // which Escape cancels. A click leaves the focus where it was.
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

QToolButton* CaptionButton(QWidget* parent, const QString& name, QRect geometry,
                           const QString& caption, bool withGlyph) {
    QToolButton* button = withGlyph ? new GlyphCaptionButton(parent) : new QToolButton(parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setText(caption);
    // Never a focus stop: a stray Space after a dialog closes must not press Reset, start the
    // update or the remote support. The general menu offers the services to the keyboard.
    button->setFocusPolicy(Qt::NoFocus);
    if (withGlyph) {
        button->setIcon(EditGlyph());
        button->setIconSize(EditGlyphSize);
    }
    return button;
}

QLabel* PictureHolder(QWidget* parent, const QString& name, QRect geometry) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(name);
    picture->setGeometry(geometry);
    picture->setAlignment(Qt::AlignCenter);
    picture->setAttribute(Qt::WA_TranslucentBackground);
    return picture;
}

QLabel* HiddenPicture(QWidget* parent, const QString& name, const QPixmap& picture) {
    QLabel* holder =
        PictureHolder(parent, name, QRect(QPoint(0, 0), picture.deviceIndependentSize().toSize()));
    holder->setPixmap(picture);
    holder->hide();
    return holder;
}

void SetField(QLineEdit* field, const QString& text, const QColor& colour) {
    field->setText(text);
    field->setCursorPosition(0);
    state_colours::SetFieldColour(field, state_colours::Field::Display, colour);
}

void SetLineState(ShapeWidget* line, bool active, QLabel* label) {
    line->setBrushColor(active ? state_colours::Red : state_colours::Blue);
    if (label != nullptr) {
        label->setText(active ? QStringLiteral("1") : QStringLiteral("0"));
    }
}

void MoveTop(QWidget* widget, int top) {
    widget->move(widget->x(), top);
}

void SetVisible(const std::vector<QWidget*>& widgets, bool visible) {
    for (QWidget* widget : widgets) {
        widget->setVisible(visible);
    }
}

}  // namespace page_widgets
