// Printing the main window to fit one page: the window's own picture (never the dimming
// overlay over it), scaled proportionally to the full width or the full height of the page.
#pragma once

#include <QImage>
#include <QSize>

class QPainter;
class QPrinter;
class QWidget;

namespace window_print {

// The printed size of an image on a page: the page's full height when the image, scaled to
// that height, is narrower than the page, else the page's full width. Rounded to nearest.
QSize FitSize(QSize image, QSize page);
// The window's client area as it draws itself, at its own size.
QImage WindowPicture(QWidget& window);
// Draws the picture at FitSize at the top-left corner of a page of the given size.
void DrawToFit(QPainter& painter, QSize page, const QImage& picture);
// One print job of one page on the chosen printer.
void PrintToFit(QWidget& window, QPrinter& printer);
// The system's print dialog, then the job on the printer chosen there; a cancelled dialog
// prints nothing, and a printer's failure is not reported.
void PrintWithDialog(QWidget& window);

}  // namespace window_print
