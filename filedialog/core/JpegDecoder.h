// Decodes a JPEG held in memory into RGB rows for the file dialog's picture preview, with
// libjpeg-turbo and without Qt. The bytes come from whatever file the user points at, so every
// fault in them ends in std::nullopt: the library never prints and never ends the program.
//
// Grayscale, YCbCr and RGB pictures come out as they are; CMYK and YCCK pictures are converted to
// RGB here, reading Adobe's inverted ink values when an Adobe marker says so. A file that ends
// before the last row fails: half a picture filled with grey is no preview. A picture larger
// than the bounds fails before any pixel memory is taken.
//
// For a thumbnail libjpeg-turbo decodes at 1/2, 1/4 or 1/8 of the size: the smallest of these
// that still covers the picture fitted into the thumbnail's box, which the caller then scales
// smoothly. A decode that is no longer wanted stops between rows when its flag is set.
//
// A picture can also be read piece by piece from a file, so that no copy of the whole file is
// made: a thumbnail of a large photograph then costs the decoding alone, not also the page
// faults of a buffer as large as the file.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

struct DecodedPicture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;  // RGB888, rows of width * 3 bytes, top row first
    // The picture's own size, which a scaled decode reduces.
    int sourceWidth = 0;
    int sourceHeight = 0;
};

struct JpegDecodeOptions {
    // The box a thumbnail is fitted into; 0 x 0 decodes at the picture's own size.
    int boxWidth = 0;
    int boxHeight = 0;
    // Set by another thread when the picture is no longer wanted; may be null.
    const std::atomic<bool>* cancelled = nullptr;
};

class JpegDecoder {
  public:
    // 8192 x 8192 pixels fit.
    static constexpr std::uint64_t MaxPixels = std::uint64_t{64} * 1024 * 1024;
    static constexpr int MaxSide = 32768;
    // A progressive picture needs about ten scans; more than this is a file built to stall us.
    static constexpr int MaxScans = 100;

    // maxPixels may only lower the bound (the fuzz target lowers it to keep its runs short).
    // The bounds hold for the picture's own size, scaled or not.
    static std::optional<DecodedPicture> decode(const unsigned char* data, std::size_t size,
                                                std::uint64_t maxPixels = MaxPixels,
                                                const JpegDecodeOptions& options = {});
    // Fills the buffer with the next bytes of the picture: the count, 0 at its end, or -1 when
    // reading failed. It must not throw.
    using ReadMore = std::function<long long(unsigned char* buffer, std::size_t capacity)>;
    // The same, reading the picture as it goes; at most maxBytes of it are read.
    static std::optional<DecodedPicture> decode(const ReadMore& read, std::uint64_t maxBytes,
                                                std::uint64_t maxPixels = MaxPixels,
                                                const JpegDecodeOptions& options = {});
    // The divisor (1, 2, 4 or 8) for a picture of width x height fitted into the box.
    static int scaleDivisor(int width, int height, int boxWidth, int boxHeight);
};
