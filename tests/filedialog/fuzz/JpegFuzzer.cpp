// libFuzzer entry for the picture preview's JPEG decoder: any bytes must be decoded or refused
// safely, and a decoded picture must fill exactly the rows its size promises.
#include <cstddef>
#include <cstdint>

#include "JpegDecoder.h"

namespace {

// A lower pixel bound keeps each run short; the bound is checked by the same code as the real one.
constexpr std::uint64_t FuzzMaxPixels = std::uint64_t{1} << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::optional<DecodedPicture> picture = JpegDecoder::decode(data, size, FuzzMaxPixels);
    if (picture &&
        (picture->width < 1 || picture->height < 1 ||
         std::uint64_t(picture->width) * std::uint64_t(picture->height) > FuzzMaxPixels ||
         picture->rgb.size() != std::size_t(picture->width) * picture->height * 3)) {
        __builtin_trap();
    }
    return 0;
}
