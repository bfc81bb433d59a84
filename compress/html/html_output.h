// Output is written over the document from its first byte on, behind a write
// position that never overtakes the read position.
#ifndef CRV_HTML_OUTPUT_H
#define CRV_HTML_OUTPUT_H

#include <cstddef>
#include <cstring>

#include "compress/html/byte_lanes.h"

namespace crv {

// Moves [from, to) to out, which is from or lies before it; returns the end.
// Most pieces (names, values, short text) are a few bytes long, so they are
// moved here rather than through a library call: eight at a time while the
// eight-byte store lands wholly before the unread bytes at from, else one by
// one, front to back, so that each byte is read before it can be overwritten.
inline char *AppendBytes(const char *from, const char *to, char *out) {
    if (out == from)
        return out + (to - from);
    if (to - from > 64) {
        const auto length = static_cast<std::size_t>(to - from);
        std::memmove(out, from, length);
        return out + length;
    }
    while (to - from >= 8 && from - out >= 8) {
        StoreLanes(out, LoadLanes(from));
        out += 8;
        from += 8;
    }
    while (from < to)
        *out++ = *from++;
    return out;
}

} // namespace crv

#endif
