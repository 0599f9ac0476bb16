// Renders an enhanced metafile (.emf) for the picture preview: libemf2svg turns its records into
// SVG, which Qt SVG draws into a canvas sized from the header's frame.
//
// libemf2svg trusts what it reads (a damaged header description made it read past its input),
// so the file is checked here first: the header's type, size and signature, and a walk over
// every record up to the end record, each inside the file, of a type libUEMF knows how to check
// and passing that check of its fields. The header's description is not handed over at all. Only
// plain EMF records are drawn; EMF+ records (whose parser is the larger part of the library) are
// left out, and the EMF drawing that such files carry beside them is shown instead.
//
// Reading the SVG and drawing it stop at the limit, as a WMF's playing does; a metafile not
// drawn by then is not previewed.
#pragma once

#include <QByteArray>
#include <QImage>
#include <optional>

#include "RenderLimit.h"

class EmfRenderer {
  public:
    // Larger metafiles are not previewed: their SVG would take Qt SVG too long to draw.
    static constexpr qsizetype MaxFileBytes = qsizetype{16} << 20;

    static std::optional<QImage> render(const QByteArray& bytes,
                                        const RenderLimit& limit = RenderLimit());
};
