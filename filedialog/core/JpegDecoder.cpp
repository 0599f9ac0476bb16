#include "JpegDecoder.h"

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE
#include <new>

#include <jerror.h>
#include <jpeglib.h>

namespace {

// libjpeg ends a fatal error in error_exit, which must not return; ours leaves the decode with
// longjmp where the library would call exit().
struct ErrorManager {
    jpeg_error_mgr base;  // first: libjpeg hands back a pointer to it
    std::jmp_buf leave;
};

// The picture read piece by piece into a buffer of the caller's.
struct StreamSource {
    jpeg_source_mgr base;  // first: libjpeg hands back a pointer to it
    const JpegDecoder::ReadMore* read;
    unsigned char* buffer;
    std::size_t capacity;
    std::uint64_t bytesLeft;  // how much more may be read
};

// Everything libjpeg touches during one decode; plain C structures, zeroed by the caller.
struct Session {
    jpeg_decompress_struct info;
    ErrorManager errors;
    jpeg_progress_mgr progress;
    StreamSource stream;
    const std::atomic<bool>* cancelled;
};

bool isCancelled(const std::atomic<bool>* cancelled) {
    return cancelled != nullptr && cancelled->load(std::memory_order_relaxed);
}

[[noreturn]] void leaveDecode(j_common_ptr common) {
    std::longjmp(reinterpret_cast<ErrorManager*>(common->err)->leave, 1);
}

void stayQuiet(j_common_ptr) {}

// Warnings about damaged data are let through, except a file that ends early: libjpeg would
// fill the missing rows with grey.
void onMessage(j_common_ptr common, int level) {
    if (level < 0 && common->err->msg_code == JWRN_JPEG_EOF) {
        leaveDecode(common);
    }
}

// Also called while a progressive picture's scans are read, before the first row comes out.
void checkProgress(j_common_ptr common) {
    if (!common->is_decompressor) {
        return;
    }
    const auto* info = reinterpret_cast<j_decompress_ptr>(common);
    const auto* session = static_cast<const Session*>(info->client_data);
    if (info->input_scan_number > JpegDecoder::MaxScans || isCancelled(session->cancelled)) {
        leaveDecode(common);
    }
}

void startStream(j_decompress_ptr) {}
void endStream(j_decompress_ptr) {}

// A read error ends the decode. The end of the file, or of what may be read, ends the picture
// as in libjpeg's own sources: a warning (which ends the decode, see onMessage) and an end
// marker.
boolean fillStream(j_decompress_ptr info) {
    auto* stream = reinterpret_cast<StreamSource*>(info->src);
    const std::size_t wanted =
        std::size_t(std::min<std::uint64_t>(stream->capacity, stream->bytesLeft));
    const long long got = wanted == 0 ? 0 : (*stream->read)(stream->buffer, wanted);
    if (got < 0) {
        leaveDecode(reinterpret_cast<j_common_ptr>(info));
    }
    if (got == 0) {
        WARNMS(info, JWRN_JPEG_EOF);
        static const JOCTET EndOfImage[] = {0xFF, JPEG_EOI};
        stream->base.next_input_byte = EndOfImage;
        stream->base.bytes_in_buffer = sizeof EndOfImage;
        return TRUE;
    }
    stream->bytesLeft -= std::uint64_t(got);
    stream->base.next_input_byte = stream->buffer;
    stream->base.bytes_in_buffer = std::size_t(got);
    return TRUE;
}

void skipStream(j_decompress_ptr info, long count) {
    jpeg_source_mgr* source = info->src;
    while (count > 0 && std::size_t(count) > source->bytes_in_buffer) {
        count -= long(source->bytes_in_buffer);
        source->bytes_in_buffer = 0;
        fillStream(info);
    }
    if (count > 0) {
        source->next_input_byte += count;
        source->bytes_in_buffer -= std::size_t(count);
    }
}

void useStream(Session& session) {
    StreamSource& stream = session.stream;
    stream.base.init_source = startStream;
    stream.base.fill_input_buffer = fillStream;
    stream.base.skip_input_data = skipStream;
    stream.base.resync_to_restart = jpeg_resync_to_restart;
    stream.base.term_source = endStream;
    session.info.src = &stream.base;
}

bool withinBounds(const jpeg_decompress_struct& info, std::uint64_t maxPixels) {
    const JDIMENSION width = info.image_width;
    const JDIMENSION height = info.image_height;
    return width >= 1 && height >= 1 && width <= JpegDecoder::MaxSide &&
           height <= JpegDecoder::MaxSide && std::uint64_t{width} * height <= maxPixels;
}

// RGB for the colour spaces libjpeg converts itself, CMYK for the ones converted here.
bool chooseOutput(jpeg_decompress_struct& info) {
    switch (info.jpeg_color_space) {
        case JCS_GRAYSCALE:
        case JCS_YCbCr:
        case JCS_RGB:
            info.out_color_space = JCS_RGB;
            return true;
        case JCS_CMYK:
        case JCS_YCCK:
            info.out_color_space = JCS_CMYK;
            return true;
        default:
            return false;
    }
}

bool makeRoom(DecodedPicture& picture, JDIMENSION width, JDIMENSION height) noexcept {
    try {
        picture.rgb.resize(std::size_t{width} * height * 3);
    } catch (const std::bad_alloc&) {
        return false;
    }
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    return true;
}

// Adobe writes CMYK inverted (255 is no ink); other writers store the ink itself.
void cmykToRgb(const unsigned char* cmyk, unsigned char* rgb, JDIMENSION width, bool inverted) {
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const int black = inverted ? cmyk[3] : 255 - cmyk[3];
        for (int channel = 0; channel < 3; ++channel) {
            const int light = inverted ? cmyk[channel] : 255 - cmyk[channel];
            rgb[channel] = static_cast<unsigned char>((light * black + 127) / 255);
        }
    }
}

bool readRows(jpeg_decompress_struct& info, DecodedPicture& picture,
              const std::atomic<bool>* cancelled) {
    const std::size_t stride = std::size_t{info.output_width} * 3;
    JSAMPARRAY cmykRow = nullptr;
    if (info.out_color_space == JCS_CMYK) {
        cmykRow = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                            info.output_width * 4, 1);
    }
    while (info.output_scanline < info.output_height) {
        if (isCancelled(cancelled)) {
            return false;
        }
        unsigned char* target = picture.rgb.data() + stride * info.output_scanline;
        JSAMPROW row = cmykRow != nullptr ? cmykRow[0] : target;
        if (jpeg_read_scanlines(&info, &row, 1) != 1) {
            return false;
        }
        if (cmykRow != nullptr) {
            cmykToRgb(row, target, info.output_width, info.saw_Adobe_marker);
        }
    }
    return true;
}

// The one setjmp frame. Nothing in it has a destructor that a longjmp out of libjpeg could
// skip; the picture lives in the caller.
bool decodeInto(Session& session, const unsigned char* data, std::size_t size,
                std::uint64_t maxPixels, const JpegDecodeOptions& options,
                DecodedPicture& picture) {
    // data is null when the session reads its stream.
    jpeg_decompress_struct& info = session.info;
    info.err = jpeg_std_error(&session.errors.base);
    session.errors.base.error_exit = leaveDecode;
    session.errors.base.output_message = stayQuiet;
    session.errors.base.emit_message = onMessage;
    if (setjmp(session.errors.leave) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    session.progress.progress_monitor = checkProgress;
    info.progress = &session.progress;
    info.client_data = &session;
    if (data != nullptr) {
        jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    } else {
        useStream(session);
    }
    // The bounds are checked on the header alone, before libjpeg sizes its buffers.
    bool decoded = jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK &&
                   withinBounds(info, maxPixels) && chooseOutput(info);
    if (decoded) {
        picture.sourceWidth = static_cast<int>(info.image_width);
        picture.sourceHeight = static_cast<int>(info.image_height);
        info.scale_num = 1;
        info.scale_denom = static_cast<unsigned int>(JpegDecoder::scaleDivisor(
            picture.sourceWidth, picture.sourceHeight, options.boxWidth, options.boxHeight));
        jpeg_start_decompress(&info);
        decoded = makeRoom(picture, info.output_width, info.output_height) &&
                  readRows(info, picture, session.cancelled);
    }
    // Whatever follows the last row (a missing end marker included) is of no interest.
    jpeg_destroy_decompress(&info);
    return decoded;
}

}  // namespace

// The picture scaled by 1/divisor must still cover the picture fitted into the box:
// divisor * min(box width / width, box height / height) <= 1.
int JpegDecoder::scaleDivisor(int width, int height, int boxWidth, int boxHeight) {
    if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0) {
        return 1;
    }
    for (const int divisor : {8, 4, 2}) {
        if (std::int64_t{divisor} * boxWidth <= width ||
            std::int64_t{divisor} * boxHeight <= height) {
            return divisor;
        }
    }
    return 1;
}

std::optional<DecodedPicture> JpegDecoder::decode(const unsigned char* data, std::size_t size,
                                                  std::uint64_t maxPixels,
                                                  const JpegDecodeOptions& options) {
    if (data == nullptr || size == 0 || size > ULONG_MAX) {
        return std::nullopt;
    }
    DecodedPicture picture;
    Session session{};
    session.cancelled = options.cancelled;
    if (!decodeInto(session, data, size, std::min(maxPixels, MaxPixels), options, picture)) {
        return std::nullopt;
    }
    return picture;
}

std::optional<DecodedPicture> JpegDecoder::decode(const ReadMore& read, std::uint64_t maxBytes,
                                                  std::uint64_t maxPixels,
                                                  const JpegDecodeOptions& options) {
    constexpr std::size_t PieceBytes = 64 * 1024;
    std::vector<unsigned char> buffer(PieceBytes);
    DecodedPicture picture;
    Session session{};
    session.cancelled = options.cancelled;
    session.stream.read = &read;
    session.stream.buffer = buffer.data();
    session.stream.capacity = buffer.size();
    session.stream.bytesLeft = maxBytes;
    if (!decodeInto(session, nullptr, 0, std::min(maxPixels, MaxPixels), options, picture)) {
        return std::nullopt;
    }
    return picture;
}
