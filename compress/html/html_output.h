// Output is written over the document from its first byte on, behind a write
// position that never overtakes the read position.
#ifndef CRV_HTML_OUTPUT_H
#define CRV_HTML_OUTPUT_H

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "compress/html/byte_lanes.h"

namespace crv {

// Moves [from, to) to out, which is from or lies before it; returns the end.
// Most pieces (names, values, short text) are a few bytes long, so they are
// moved here rather than through a library call, without a loop: every byte
// is loaded before the first is stored, so the stores may overlap the source
// however close out is to from. Words that overlap each other cover the
// lengths between their sizes.
inline char *AppendBytes(const char *from, const char *to, char *out) {
    if (out == from)
        return out + (to - from);
    const auto length = static_cast<std::size_t>(to - from);
    if (length > 32) {
        std::memmove(out, from, length);
        return out + length;
    }
    if (length >= 16) {
        const ByteLanes first = LoadLanes(from);
        const ByteLanes second = LoadLanes(from + 8);
        const ByteLanes lastButOne = LoadLanes(to - 16);
        const ByteLanes last = LoadLanes(to - 8);
        StoreLanes(out, first);
        StoreLanes(out + 8, second);
        StoreLanes(out + length - 16, lastButOne);
        StoreLanes(out + length - 8, last);
    } else if (length >= 8) {
        const ByteLanes first = LoadLanes(from);
        const ByteLanes last = LoadLanes(to - 8);
        StoreLanes(out, first);
        StoreLanes(out + length - 8, last);
    } else if (length >= 4) {
        std::uint32_t first;
        std::uint32_t last;
        std::memcpy(&first, from, sizeof first);
        std::memcpy(&last, to - 4, sizeof last);
        std::memcpy(out, &first, sizeof first);
        std::memcpy(out + length - 4, &last, sizeof last);
    } else if (length > 0) {
        const char first = from[0];
        const char middle = from[length / 2];
        const char last = to[-1];
        out[0] = first;
        out[length / 2] = middle;
        out[length - 1] = last;
    }
    return out + length;
}

// Moves the piece [from, to) to out as AppendBytes does, where the text runs
// on to end, its zero byte, and nothing from kept on may change (kept lies
// at or before from). Names and most values are shorter than 32 bytes and
// their lengths vary from one to the next, so a branch on the length would
// often go the wrong way: where the output trails kept by a block or more,
// the piece goes in one block of 32 whatever its length. What the block
// stores past the piece lands before kept, on bytes already consumed.
inline char *AppendShortPiece(const char *from, const char *to, char *out, const char *end,
                              const char *kept) {
    constexpr std::ptrdiff_t kBlock = 32;
    if (to - from <= kBlock && kept - out >= kBlock && end - from >= kBlock) {
        std::memcpy(out, from, kBlock);
        return out + (to - from);
    }
    return AppendBytes(from, to, out);
}

} // namespace crv

#endif
