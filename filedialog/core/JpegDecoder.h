// Decodes a JPEG held in memory into RGB rows for the file dialog's picture preview, with
// libjpeg-turbo and without Qt. The bytes come from whatever file the user points at, so every
// fault in them ends in std::nullopt: the library never prints and never ends the program.
//
// Grayscale, YCbCr and RGB pictures come out as they are; CMYK and YCCK pictures are converted to
// RGB here, reading Adobe's inverted ink values when an Adobe marker says so. A file that ends
// before the last row fails: half a picture filled with grey is no preview. A picture larger
// than the bounds fails before any pixel memory is taken.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

struct DecodedPicture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;  // RGB888, rows of width * 3 bytes, top row first
};

class JpegDecoder {
  public:
    // 8192 x 8192 pixels fit.
    static constexpr std::uint64_t MaxPixels = std::uint64_t{64} * 1024 * 1024;
    static constexpr int MaxSide = 32768;
    // A progressive picture needs about ten scans; more than this is a file built to stall us.
    static constexpr int MaxScans = 100;

    // maxPixels may only lower the bound (the fuzz target lowers it to keep its runs short).
    static std::optional<DecodedPicture> decode(const unsigned char* data, std::size_t size,
                                                std::uint64_t maxPixels = MaxPixels);
};
