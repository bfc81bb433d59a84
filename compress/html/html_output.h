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

} // namespace crv

#endif
