// Copying a run of a style sheet that needs no decision: names, numbers,
// colons, commas and the like, up to the next byte that may change the
// pass's state or be dropped. The copy runs 16 or 32 bytes at a time on the
// path that byte_scan.h chose, and byte by byte on the scalar one; all give
// the same answer. Loads stay inside [in, end), end being the zero byte.
#ifndef CRV_CSS_RUN_COPY_H
#define CRV_CSS_RUN_COPY_H

#include <cstddef>
#include <cstring>

#include "compress/ascii_class.h"
#include "compress/byte_scan.h"

namespace crv {

// What ends a run: white space, the zero byte and every other control code
// (those below "!"), and what a style sheet's structure hangs on. A control
// code other than white space is then copied on its own, with the same result.
using CssRunStops = ByteSet<'!', '{', '}', '(', ')', '[', ']', '"', '\'', ';', '/', '@'>;

namespace detail {

constexpr ClassTable MakeCssRunStopTable() {
    ClassTable table{};
    for (std::size_t c = 0; c < table.size(); ++c)
        table[c] = CssRunStops::Has(static_cast<char>(c)) ? 1 : 0;
    return table;
}

inline constexpr ClassTable kCssRunStopTable = MakeCssRunStopTable();

} // namespace detail

// One look-up: the test the scalar copy makes per byte.
inline bool IsCssRunStop(char c) { return InClass(detail::kCssRunStopTable, c, 1); }

namespace detail {

// The zero byte is a stop, so the scalar copy needs no end.
inline std::size_t ScalarCopyCssRun(const char *in, char *out) {
    const char *from = in;
    for (char c = *from; !IsCssRunStop(c); c = *++from)
        *out++ = c;
    return static_cast<std::size_t>(from - in);
}

#ifdef CRV_VECTOR_SCAN

// How many bytes of a run the SSE2 copy takes one at a time before blocks.
inline constexpr std::size_t kCssRunBytesByByte = 4;

// The stops of CssRunStops in a block, as one bit per byte. Folding case bit
// 0x20 away lets one compare find "[" and "{", one more "]" and "}", and
// setting bit 0 lets one compare find "(" and ")".
inline unsigned Sse2RunStopMask(__m128i block) {
    const __m128i below = _mm_cmpeq_epi8(_mm_min_epu8(block, _mm_set1_epi8(' ')), block);
    const __m128i folded = _mm_and_si128(block, _mm_set1_epi8(static_cast<char>(0xDF)));
    const __m128i brackets = _mm_or_si128(_mm_cmpeq_epi8(folded, _mm_set1_epi8('[')),
                                          _mm_cmpeq_epi8(folded, _mm_set1_epi8(']')));
    const __m128i parens =
        _mm_cmpeq_epi8(_mm_or_si128(block, _mm_set1_epi8(1)), _mm_set1_epi8(')'));
    const __m128i quotes = _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('"')),
                                        _mm_cmpeq_epi8(block, _mm_set1_epi8('\'')));
    const __m128i marks = _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8(';')),
                                       _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('/')),
                                                    _mm_cmpeq_epi8(block, _mm_set1_epi8('@'))));
    const __m128i all = _mm_or_si128(_mm_or_si128(below, brackets),
                                     _mm_or_si128(_mm_or_si128(parens, quotes), marks));
    return static_cast<unsigned>(_mm_movemask_epi8(all));
}

// Moves what the blocks found of a run, past the bytes taken one at a time,
// unless the blocks were stored as they were read.
inline void MoveRest(const char *in, char *out, std::size_t length, bool stored) {
    if (!stored && out != in)
        std::memmove(out + kCssRunBytesByByte, in + kCssRunBytesByByte,
                     length - kCssRunBytesByByte);
}

// Where the output lies a whole block behind the input, each block is stored
// before its stops are known: the bytes past the run land on input already
// read, which the pass no longer needs. Otherwise the run is found first and
// moved once. Before anything is dropped the output is the input and nothing
// moves at all. Many runs are a few bytes long, and the first bytes taken one
// at a time end those sooner than the SSE2 compares would.
inline std::size_t Sse2CopyCssRun(const char *in, char *out, const char *end) {
    const bool storeAhead = in - out >= 16;
    std::size_t n = 0;
    for (; n < kCssRunBytesByByte; ++n) {
        if (IsCssRunStop(in[n]))
            return n;
        out[n] = in[n];
    }
    for (; end - (in + n) >= 16; n += 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + n));
        if (storeAhead)
            _mm_storeu_si128(reinterpret_cast<__m128i *>(out + n), block);
        unsigned mask = Sse2RunStopMask(block);
        if (mask != 0) {
            n += static_cast<std::size_t>(__builtin_ctz(mask));
            MoveRest(in, out, n, storeAhead);
            return n;
        }
    }
    MoveRest(in, out, n, storeAhead);
    return n + ScalarCopyCssRun(in + n, out + n);
}

// The stops in a block of 32, by two table look-ups: one bit per group of
// high nibbles (0 and 1; 2; 3; 4; 5 and 7), set in the low-nibble table for
// the low nibbles that group stops at. Bytes from 0x80 up find nothing.
__attribute__((target("avx2"))) inline unsigned Avx2RunStopMask(__m256i block) {
    const __m256i highGroups = _mm256_setr_epi8(1, 1, 2, 4, 8, 16, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0,
                                                1, 1, 2, 4, 8, 16, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0);
    // Low nibble 0: control code, space, "@"; 2: '"'; 7: "'"; 8 and 9: "("
    // and ")"; B: ";", "[", "{"; D: "]", "}"; F: "/".
    const __m256i lowGroups = _mm256_setr_epi8(11, 1, 3, 1, 1, 1, 1, 3, 3, 3, 1, 21, 1, 17, 1, 3,
                                               11, 1, 3, 1, 1, 1, 1, 3, 3, 3, 1, 21, 1, 17, 1, 3);
    const __m256i high = _mm256_and_si256(_mm256_srli_epi16(block, 4), _mm256_set1_epi8(0x0F));
    const __m256i groups = _mm256_and_si256(_mm256_shuffle_epi8(highGroups, high),
                                            _mm256_shuffle_epi8(lowGroups, block));
    const __m256i none = _mm256_cmpeq_epi8(groups, _mm256_setzero_si256());
    return ~static_cast<unsigned>(_mm256_movemask_epi8(none));
}

// As Sse2CopyCssRun, by blocks of 32, where the output lies that far behind.
// The first bytes are taken one at a time here too: a block stored for a run
// that ends at once would mostly cross a cache line for nothing.
__attribute__((target("avx2"))) inline std::size_t Avx2CopyCssRun(const char *in, char *out,
                                                                  const char *end) {
    if (in - out < 32)
        return Sse2CopyCssRun(in, out, end);
    std::size_t n = 0;
    for (; n < kCssRunBytesByByte; ++n) {
        if (IsCssRunStop(in[n]))
            return n;
        out[n] = in[n];
    }
    for (; end - (in + n) >= 32; n += 32) {
        __m256i block = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(in + n));
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(out + n), block);
        unsigned mask = Avx2RunStopMask(block);
        if (mask != 0)
            return n + static_cast<std::size_t>(__builtin_ctz(mask));
    }
    return n + Sse2CopyCssRun(in + n, out + n, end);
}

#endif

} // namespace detail

// Copies the run that starts at in to out, which lies at or before in, up to
// the first byte of CssRunStops, on path kPath; returns the run's length,
// which is 0 where in is a stop. end is the zero byte that ends the text.
// Bytes between the end of the copy and in + length may be overwritten. The
// AVX2 path must be called from a function compiled for AVX2.
template <ScanPath kPath>
std::size_t CopyCssRun(const char *in, char *out, [[maybe_unused]] const char *end) {
#ifdef CRV_VECTOR_SCAN
    if constexpr (kPath == ScanPath::kAvx2)
        return detail::Avx2CopyCssRun(in, out, end);
    if constexpr (kPath == ScanPath::kSse2)
        return detail::Sse2CopyCssRun(in, out, end);
#endif
    return detail::ScalarCopyCssRun(in, out);
}

} // namespace crv

#endif
