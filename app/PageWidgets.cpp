#include "PageWidgets.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include "GlyphCaptionButton.h"
#include "UnitColours.h"

namespace page_widgets {
namespace {

constexpr int ButtonSize = 21;

// Three dots on a small sheet: "open the dialog for this value".
QIcon EditGlyph() {
    QPixmap glyph(13, 13);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setPen(QColor(64, 64, 64));
    painter.setBrush(Qt::white);
    painter.drawRect(1, 1, 10, 10);
    painter.fillRect(3, 7, 2, 2, Qt::black);
    painter.fillRect(6, 7, 2, 2, Qt::black);
    painter.fillRect(9, 7, 2, 2, Qt::black);
    painter.end();
    return QIcon(glyph);  // the disabled image is derived from it
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
    QLabel* holder = PictureHolder(parent, name, QRect(QPoint(0, 0), picture.size()));
    holder->setPixmap(picture);
    holder->hide();
    return holder;
}

void SetField(QLineEdit* field, const QString& text, const QColor& colour) {
    field->setText(text);
    field->setCursorPosition(0);
    QPalette palette = field->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, colour);
        palette.setColor(group, QPalette::Window, colour);
    }
    field->setPalette(palette);
}

void SetLineState(ShapeWidget* line, bool active, QLabel* label) {
    line->setBrushColor(active ? unit_colours::Red : unit_colours::Blue);
    if (label != nullptr) {
        label->setText(active ? QStringLiteral("1") : QStringLiteral("0"));
    }
}

void MoveTop(QWidget* widget, int top) {
    widget->move(widget->x(), top);
}

void SetVisible(std::initializer_list<QWidget*> widgets, bool visible) {
    for (QWidget* widget : widgets) {
        widget->setVisible(visible);
    }
}

QColor FieldColour(const QLineEdit* field) {
    return field->palette().color(QPalette::Base);
}

}  // namespace page_widgets
