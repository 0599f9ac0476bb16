// Screenshots of the real windows for the user manual: the program's windows are made as the
// program makes them, in a start folder of their own, against a simulated unit in-process.
#pragma once

#include <QString>
#include <QStringList>

namespace manual {

// The pictures the manual shows, by file name.
QStringList ScreenNames();

// Writes every picture of ScreenNames() as PNG into folder. False with a reason in error when
// the unit cannot start, the program refuses to start, or a page does not fill in time.
bool TakeScreens(const QString& folder, QString* error);

}  // namespace manual
