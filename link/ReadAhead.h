// Bytes that came with an earlier read of a port but were not asked for yet. Reading what the
// line holds in one call, rather than one call per byte, keeps a reply at a few system calls;
// a purge discards these bytes together with the driver's queue.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

class ReadAhead {
  public:
    static constexpr std::size_t Capacity = 256;

    bool Empty() const { return begin_ == end_; }
    // Moves up to length kept bytes to the caller; returns how many.
    std::size_t Take(uint8_t* bytes, std::size_t length);
    // Keeps bytes read beyond what was asked for; only called when empty, at most Capacity.
    void Keep(const uint8_t* bytes, std::size_t count);
    void Clear() { begin_ = end_ = 0; }

  private:
    std::array<uint8_t, Capacity> bytes_{};
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
};
