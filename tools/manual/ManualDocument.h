// The user manual from its HTML source to an A4 PDF with page numbers.
#pragma once

#include <QString>
#include <QTextDocument>
#include <memory>

namespace manual {

// The manual's HTML as built into the program.
QString ManualHtml();

// The document of html whose <img> sources are found in imageFolder.
std::unique_ptr<QTextDocument> MakeDocument(const QString& html, const QString& imageFolder);

// Lays the document out on A4 and writes it; the number of pages, or 0 when it cannot be
// written.
int WritePdf(QTextDocument& document, const QString& pdfPath);

// Screenshots into a temporary folder, then the PDF. False with a reason in error.
bool BuildManual(const QString& pdfPath, QString* error);

}  // namespace manual
