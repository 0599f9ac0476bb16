#include "WindowPrint.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>
#include <cmath>

namespace window_print {

namespace {

int Rounded(double value) {
    return static_cast<int>(std::lround(value));
}

}  // namespace

QSize FitSize(QSize image, QSize page) {
    if (image.isEmpty() || page.isEmpty()) {
        return QSize();
    }
    const int widthAtPageHeight = Rounded(double(image.width()) * page.height() / image.height());
    if (page.width() > widthAtPageHeight) {
        return {widthAtPageHeight, page.height()};
    }
    return {page.width(), Rounded(double(image.height()) * page.width() / image.width())};
}

// The dimming overlay, where it is a child covering the window, is no part of its picture.
QImage WindowPicture(QWidget& window) {
    QWidget* overlay =
        window.findChild<QWidget*>(QStringLiteral("Form_Abdeckung"), Qt::FindDirectChildrenOnly);
    const bool covering = overlay != nullptr && !overlay->isHidden();
    if (covering) {
        overlay->hide();
    }
    QImage picture = window.grab(window.rect()).toImage();
    if (covering) {
        overlay->show();
    }
    return picture;
}

void DrawToFit(QPainter& painter, QSize page, const QImage& picture) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, 0), FitSize(picture.size(), page)), picture);
}

void PrintToFit(QWidget& window, QPrinter& printer) {
    const QImage picture = WindowPicture(window);
    QPainter painter;
    if (!painter.begin(&printer)) {
        return;  // no printer to be had: nothing is printed, nothing is said
    }
    // The painter's origin is the printable area's top-left corner; its size is the device's.
    DrawToFit(painter, QSize(printer.width(), printer.height()), picture);
    painter.end();
}

void PrintWithDialog(QWidget& window) {
    QPrinter printer;
    QPrintDialog dialog(&printer, &window);
    // Above the dimming overlay, which stays on top and takes every click that reaches it.
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    try {
        PrintToFit(window, printer);
    } catch (...) {
        // Printing is best effort: the screen is simply uncovered again.
    }
}

}  // namespace window_print
