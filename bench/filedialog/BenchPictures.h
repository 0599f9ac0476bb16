// Large pictures for the preview benchmark, made at bench time so that none is kept in the
// repository.
#pragma once

#include <QByteArray>
#include <QSize>

namespace bench_pictures {

// A JPEG of the given size with smooth colour ramps and fine detail, so that it compresses the
// way a photograph does.
QByteArray photo(const QSize& size);
// An enhanced metafile of about the given length: many small ellipses, each in a brush of its
// own colour, on a frame of 2000 x 1500 pixels.
QByteArray busyMetafile(qsizetype approximateBytes);

}  // namespace bench_pictures
