// Small pictures for the preview's tests: made here with Qt's writers, or read from the hand-made
// files in tests/filedialog/pictures (see the README there).
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

namespace picture_samples {

QImage solid(const QSize& size, const QColor& colour, QImage::Format format = QImage::Format_RGB32);
// The picture in one of Qt's formats ("bmp", "ico", "jpg").
QByteArray encoded(const QImage& image, const char* format);
QByteArray committed(const QString& name);
void writeFile(const QString& path, const QByteArray& bytes);
// Where a baseline JPEG's frame header (SOF0) starts; -1 without one.
qsizetype frameHeaderAt(const QByteArray& jpeg);
// The JPEG with the size in its frame header replaced; the scan data stays as it was.
QByteArray withClaimedSize(QByteArray jpeg, int width, int height);
// Whether two colours differ by at most tolerance in each channel (JPEG is lossy).
bool near(const QColor& actual, const QColor& expected, int tolerance = 12);

}  // namespace picture_samples
