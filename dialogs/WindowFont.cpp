#include "WindowFont.h"

#include <QFontDatabase>
#include <QStringList>

QFont WindowFont(int pixelHeight) {
    const QString family = QFontDatabase::families().contains(QStringLiteral("Verdana"))
                               ? QStringLiteral("Verdana")
                               : QStringLiteral("DejaVu Sans");
    QFont font(family);
    font.setPixelSize(pixelHeight);
    return font;
}
