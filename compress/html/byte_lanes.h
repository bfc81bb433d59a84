// Eight bytes at a time in one 64-bit word, for the stretches of text that
// need no change: a test of all eight lanes costs a few integer operations
// and no branch per byte.
#ifndef CRV_BYTE_LANES_H
#define CRV_BYTE_LANES_H

#include <cstdint>
#include <cstring>

namespace crv {

using ByteLanes = std::uint64_t;

inline constexpr ByteLanes kEveryLane = 0x0101010101010101u;
inline constexpr ByteLanes kLaneHighBits = 0x8080808080808080u;

inline ByteLanes LoadLanes(const char *at) {
    ByteLanes lanes;
    std::memcpy(&lanes, at, sizeof lanes);
    return lanes;
}

inline void StoreLanes(char *at, ByteLanes lanes) { std::memcpy(at, &lanes, sizeof lanes); }

// The high bit of every lane whose byte is below limit (at most 0x80), and
// nothing else: no carry crosses from one lane into the next.
constexpr ByteLanes LanesBelow(ByteLanes lanes, unsigned char limit) {
    return ~(((lanes & ~kLaneHighBits) + kEveryLane * (0x80u - limit)) | lanes) & kLaneHighBits;
}

// The high bit of every lane that holds c.
constexpr ByteLanes LanesEqual(ByteLanes lanes, char c) {
    return LanesBelow(lanes ^ (kEveryLane * static_cast<unsigned char>(c)), 1);
}

} // namespace crv

#endif
