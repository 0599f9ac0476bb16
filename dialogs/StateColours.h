// The colours that carry state on the unit pages and in the parameter dialogs, and how a field
// shows one.
#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace state_colours {

inline const QColor SkyBlue(166, 202, 240);     // mode fields, choice lists, box border in use
inline const QColor MoneyGreen(192, 220, 192);  // a valid value
inline const QColor Silver(192, 192, 192);      // read from the unit or computed: read-only
inline const QColor Yellow(255, 255, 0);        // "?": a value not read (yet)
inline const QColor Red(255, 0, 0);             // an active line; an invalid value (OK disabled)
inline const QColor Blue(0, 0, 255);            // an inactive line
inline const QColor Gray(128, 128, 128);        // a line unknown or not in use
inline const QColor Black(0, 0, 0);             // a line before its first state is known
inline const QColor Green(0, 128, 0);           // the start box
inline const QColor SpeedBox(223, 0, 112);      // the speed box
inline const QColor RangeGrey(128, 128, 128);   // text of the dialogs' range labels

// A page's read-only display field draws its frame in its own colour too; a dialog's input
// field or choice list keeps the window's frame and colours its drop-down button instead.
enum class Field { Display, Input };

// The background of a field in every state of its window.
inline void SetFieldColour(QWidget* field, Field kind, const QColor& colour) {
    const QPalette::ColorRole second = kind == Field::Display ? QPalette::Window : QPalette::Button;
    QPalette palette = field->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, colour);
        palette.setColor(group, second, colour);
    }
    field->setPalette(palette);
}

inline QColor FieldColour(const QWidget* field) {
    return field->palette().color(QPalette::Base);
}

}  // namespace state_colours
