#include "LineAssembler.h"

#include <utility>

namespace sim {
namespace {

constexpr uint8_t CarriageReturn = 0x0D;
constexpr uint8_t LineFeed = 0x0A;
constexpr uint8_t Xon = 0x11;
constexpr uint8_t Xoff = 0x13;

}  // namespace

LineAssembler::LineAssembler(std::size_t limit) : limit_(limit) {}

std::optional<AssembledLine> LineAssembler::feed(uint8_t byte) {
    if (byte == Xon || byte == Xoff || byte == LineFeed) {
        return std::nullopt;
    }
    if (byte == CarriageReturn) {
        AssembledLine line{std::move(text_), overlong_};
        reset();
        return line;
    }
    if (text_.size() < limit_) {
        text_.push_back(static_cast<char>(byte));
    } else {
        overlong_ = true;
    }
    return std::nullopt;
}

void LineAssembler::reset() {
    text_.clear();
    overlong_ = false;
}

}  // namespace sim
