// The colours that carry state on the unit pages.
#pragma once

#include <QColor>

namespace unit_colours {

inline const QColor SkyBlue(166, 202, 240);     // mode fields, box border in operation
inline const QColor MoneyGreen(192, 220, 192);  // value fields
inline const QColor Silver(192, 192, 192);      // values read from the unit, read-only texts
inline const QColor Yellow(255, 255, 0);        // "?": a value not read (yet)
inline const QColor Red(255, 0, 0);             // an active line
inline const QColor Blue(0, 0, 255);            // an inactive line
inline const QColor Gray(128, 128, 128);        // a line unknown or not in use
inline const QColor Black(0, 0, 0);             // a line before its first state is known
inline const QColor Green(0, 128, 0);           // the start box
inline const QColor SpeedBox(223, 0, 112);      // the speed box

}  // namespace unit_colours
