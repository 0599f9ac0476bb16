#include "MakerLogo.h"

#include <QPainter>
#include <QSvgRenderer>

// The resource lives in a static library: nothing would pull it in unless asked for by name.
static void LoadInfoResources() {
    Q_INIT_RESOURCE(info);
}

QPixmap MakerLogo(QSize box, qreal devicePixelRatio) {
    LoadInfoResources();
    QSvgRenderer renderer(QStringLiteral(":/info/quenzel-logo.svg"));
    const QSize size = renderer.defaultSize().scaled(box, Qt::KeepAspectRatio);
    QPixmap logo((QSizeF(size) * devicePixelRatio).toSize());
    logo.setDevicePixelRatio(devicePixelRatio);
    logo.fill(Qt::transparent);
    QPainter painter(&logo);
    renderer.render(&painter);
    return logo;
}
