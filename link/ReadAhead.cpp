#include "ReadAhead.h"

#include <algorithm>
#include <cstring>

std::size_t ReadAhead::Take(uint8_t* bytes, std::size_t length) {
    const std::size_t count = std::min(length, end_ - begin_);
    std::memcpy(bytes, bytes_.data() + begin_, count);
    begin_ += count;
    if (begin_ == end_) {
        Clear();
    }
    return count;
}

void ReadAhead::Keep(const uint8_t* bytes, std::size_t count) {
    count = std::min(count, Capacity);
    std::memcpy(bytes_.data(), bytes, count);
    begin_ = 0;
    end_ = count;
}
