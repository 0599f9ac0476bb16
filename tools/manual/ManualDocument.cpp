#include "ManualDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QUrl>

#include "ManualScreens.h"

// The text is built into a static library, whose resources the linker would otherwise drop.
static void InitManualResource() {
    Q_INIT_RESOURCE(manual);
}

namespace manual {

namespace {

// Screen pixels: the screenshots keep their size on paper as on a common screen.
constexpr int Resolution = 96;
constexpr double FooterHeight = 28;

}  // namespace

QString ManualHtml() {
    InitManualResource();
    QFile file(QStringLiteral(":/manual/Benutzerhandbuch.html"));
    if (!file.open(QIODevice::ReadOnly)) {
        return QString();
    }
    return QString::fromUtf8(file.readAll());
}

std::unique_ptr<QTextDocument> MakeDocument(const QString& html, const QString& imageFolder) {
    auto document = std::make_unique<QTextDocument>();
    document->setBaseUrl(QUrl::fromLocalFile(imageFolder + QLatin1Char('/')));
    document->setHtml(html);
    return document;
}

int WritePdf(QTextDocument& document, const QString& pdfPath) {
    QPdfWriter writer(pdfPath);
    writer.setResolution(Resolution);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(20, 18, 20, 12), QPageLayout::Millimeter);
    writer.setTitle(QStringLiteral("Benutzerhandbuch Kalvio"));
    writer.setCreator(QStringLiteral("kalvio-manual"));
    QPainter painter;
    if (!painter.begin(&writer)) {
        return 0;
    }
    const QRectF paper = painter.viewport();
    const QSizeF body(paper.width(), paper.height() - FooterHeight);
    document.documentLayout()->setPaintDevice(&writer);
    document.setPageSize(body);
    const int pages = document.pageCount();
    for (int page = 0; page < pages; ++page) {
        if (page > 0) {
            writer.newPage();
        }
        const QRectF shown(0, page * body.height(), body.width(), body.height());
        painter.save();
        painter.translate(0, -shown.top());
        document.drawContents(&painter, shown);
        painter.restore();
        painter.setPen(Qt::darkGray);
        painter.drawLine(QLineF(0, body.height() + 6, body.width(), body.height() + 6));
        painter.drawText(QRectF(0, body.height() + 8, body.width(), FooterHeight - 8),
                         Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("Seite %1 von %2").arg(page + 1).arg(pages));
        painter.drawText(QRectF(0, body.height() + 8, body.width(), FooterHeight - 8),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Benutzerhandbuch Kalvio"));
    }
    return painter.end() ? pages : 0;
}

bool BuildManual(const QString& pdfPath, QString* error) {
    const QString html = ManualHtml();
    if (html.isEmpty()) {
        *error = QStringLiteral("the manual's text is missing");
        return false;
    }
    QTemporaryDir images;
    if (!images.isValid()) {
        *error = QStringLiteral("cannot make a temporary folder");
        return false;
    }
    if (!TakeScreens(images.path(), error)) {
        return false;
    }
    const auto document = MakeDocument(html, images.path());
    if (WritePdf(*document, pdfPath) == 0) {
        *error = QStringLiteral("cannot write ") + pdfPath;
        return false;
    }
    return true;
}

}  // namespace manual
