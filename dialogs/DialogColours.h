// The colours that carry a field's state in the parameter dialogs, and how a field shows one.
#pragma once

#include <QColor>
#include <QLineEdit>
#include <QPalette>

namespace dialog_colours {

inline const QColor SkyBlue(166, 202, 240);     // choice lists
inline const QColor MoneyGreen(192, 220, 192);  // a valid, editable value
inline const QColor Red(255, 0, 0);             // an invalid value: OK is disabled
inline const QColor Silver(192, 192, 192);      // a computed, read-only value
inline const QColor RangeGrey(128, 128, 128);   // text of the range labels

// The background of a field (or a list) in every state of its window.
inline void SetBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, colour);
        palette.setColor(group, QPalette::Button, colour);
    }
    widget->setPalette(palette);
}

inline QColor Background(const QWidget* widget) {
    return widget->palette().color(QPalette::Base);
}

}  // namespace dialog_colours
