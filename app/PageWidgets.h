// Makers for the small controls of the pages, each named and placed as the pages lay them
// out, and the few operations the display routines apply to them.
#pragma once

#include <QColor>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <vector>

#include "ShapeWidget.h"

namespace page_widgets {

QGroupBox* GroupBox(QWidget* parent, const QString& name, QRect geometry, const QString& title);
QLabel* Label(QWidget* parent, const QString& name, QRect geometry, const QString& text,
              Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
// A read-only field: focus by click only (to select and copy), no tab stop, no text selection on
// entry, and no context menu at all.
QLineEdit* ReadOnlyField(QWidget* parent, const QString& name, QRect geometry,
                         const QColor& colour);
// A flat 21 x 21 button with the edit glyph (it greys out when disabled); a Tab stop.
QToolButton* EditButton(QWidget* parent, const QString& name, QPoint position);
// A button with a caption, and optionally a glyph 10 pixels before it; it never takes focus.
QToolButton* CaptionButton(QWidget* parent, const QString& name, QRect geometry,
                           const QString& caption, bool withGlyph = false);
QLabel* PictureHolder(QWidget* parent, const QString& name, QRect geometry);
// A picture kept out of sight, for the layout routines to copy from.
QLabel* HiddenPicture(QWidget* parent, const QString& name, const QPixmap& picture);

void SetField(QLineEdit* field, const QString& text, const QColor& colour);
// A signal line red when active, blue when not; its label, if any, "1" or "0".
void SetLineState(ShapeWidget* line, bool active, QLabel* label = nullptr);
void MoveTop(QWidget* widget, int top);
void SetVisible(const std::vector<QWidget*>& widgets, bool visible);

constexpr uint32_t Bit(int k) {
    return uint32_t{1} << k;
}

}  // namespace page_widgets
