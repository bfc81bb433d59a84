// The stretches of text that come out as they went in, found and moved 32, 16
// or 8 bytes at a time: words, and single spaces between words. Everything
// else (a run of white space, a space at the start of a run, "<") is left to
// the byte-wise writer of text runs, which decides what becomes of it.
//
// Three paths give the same output, chosen as the byte scans choose theirs:
// AVX2, SSE2, and eight bytes in one word for the scalar build. Where a path
// cannot see a byte's neighbour (the last lane of a block) it stops early; the
// byte-wise writer then treats that byte as it would any other, so the output
// does not depend on where a path stops. Every load and store stays inside
// [in, to) or below in.
#ifndef CRV_WORD_RUNS_H
#define CRV_WORD_RUNS_H

#include <bit>
#include <cstdint>

#include "compress/byte_scan.h"
#include "compress/html/byte_lanes.h"

namespace crv {

namespace detail {

static_assert(std::endian::native == std::endian::little,
              "the first byte of a block must be the lowest lane");

// The lanes of a block that stop the copy, one bit per lane: bytes below "!"
// (and "<" when kStopAtLess) except a space with a word byte on either side.
// lowBits has a bit per byte below "!", spaceBits per space, lessBits per "<";
// wordBefore tells whether the byte before the block is a word byte. The
// last lane's right neighbour is unknown, so a space there stops.
template <bool kStopAtLess, class Bits>
constexpr Bits StopLanes(Bits lowBits, Bits spaceBits, Bits lessBits, bool wordBefore) {
    const Bits words = static_cast<Bits>(~lowBits);
    const Bits singleSpaces = spaceBits & static_cast<Bits>((words << 1) | (wordBefore ? 1 : 0)) &
                              static_cast<Bits>(words >> 1);
    Bits stops = lowBits & static_cast<Bits>(~singleSpaces);
    if constexpr (kStopAtLess)
        stops |= lessBits;
    return stops;
}

// Whether the whole block may be stored at out when its first count bytes
// are kept: when all are, or when it lands wholly before the bytes not yet
// consumed.
template <int kLanes>
constexpr bool StoresWholeBlock(const char *in, const char *out, int count) {
    return count == kLanes || in - out >= kLanes;
}

// Moves the first count bytes at in to out one by one, front to back, so
// that each is read before it can be overwritten.
inline void MoveFront(const char *in, char *out, int count) {
    for (int i = 0; i < count; ++i)
        out[i] = in[i];
}

template <bool kStopAtLess>
char *CopyUnchangedTextLanes(char *in, const char *to, char *&out, bool wordBefore) {
    while (to - in >= 8) {
        const ByteLanes lanes = LoadLanes(in);
        const ByteLanes low = LanesBelow(lanes, '!');
        const ByteLanes words = ~low & kLaneHighBits;
        const ByteLanes singleSpaces = LanesEqual(lanes, ' ') &
                                       ((words << 8) | (wordBefore ? ByteLanes{0x80} : 0)) &
                                       (words >> 8);
        ByteLanes stops = low & ~singleSpaces;
        if constexpr (kStopAtLess)
            stops |= LanesEqual(lanes, '<');
        const int count = stops == 0 ? 8 : std::countr_zero(stops) / 8;
        if (in != out) {
            if (StoresWholeBlock<8>(in, out, count))
                StoreLanes(out, lanes);
            else
                MoveFront(in, out, count);
        }
        in += count;
        out += count;
        if (count != 8)
            break;
        wordBefore = true;
    }
    return in;
}

#ifdef CRV_VECTOR_SCAN

template <bool kStopAtLess>
char *CopyUnchangedTextSse2(char *in, const char *to, char *&out, bool wordBefore) {
    while (to - in >= 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in));
        const __m128i low = _mm_cmpeq_epi8(_mm_min_epu8(block, _mm_set1_epi8(' ')), block);
        const auto lowBits = static_cast<std::uint16_t>(_mm_movemask_epi8(low));
        const auto spaceBits =
            static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8(' '))));
        const auto lessBits =
            static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8('<'))));
        const std::uint16_t stops =
            StopLanes<kStopAtLess, std::uint16_t>(lowBits, spaceBits, lessBits, wordBefore);
        const int count = stops == 0 ? 16 : std::countr_zero(stops);
        if (in != out) {
            if (StoresWholeBlock<16>(in, out, count))
                _mm_storeu_si128(reinterpret_cast<__m128i *>(out), block);
            else
                MoveFront(in, out, count);
        }
        in += count;
        out += count;
        if (count != 16)
            return in;
        wordBefore = true;
    }
    return CopyUnchangedTextLanes<kStopAtLess>(in, to, out, wordBefore);
}

template <bool kStopAtLess>
__attribute__((target("avx2"))) char *CopyUnchangedTextAvx2(char *in, const char *to, char *&out,
                                                             bool wordBefore) {
    while (to - in >= 32) {
        const __m256i block = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(in));
        const __m256i low =
            _mm256_cmpeq_epi8(_mm256_min_epu8(block, _mm256_set1_epi8(' ')), block);
        const auto lowBits = static_cast<std::uint32_t>(_mm256_movemask_epi8(low));
        const auto spaceBits = static_cast<std::uint32_t>(
            _mm256_movemask_epi8(_mm256_cmpeq_epi8(block, _mm256_set1_epi8(' '))));
        const auto lessBits = static_cast<std::uint32_t>(
            _mm256_movemask_epi8(_mm256_cmpeq_epi8(block, _mm256_set1_epi8('<'))));
        const std::uint32_t stops =
            StopLanes<kStopAtLess, std::uint32_t>(lowBits, spaceBits, lessBits, wordBefore);
        const int count = stops == 0 ? 32 : std::countr_zero(stops);
        if (in != out) {
            if (StoresWholeBlock<32>(in, out, count))
                _mm256_storeu_si256(reinterpret_cast<__m256i *>(out), block);
            else
                MoveFront(in, out, count);
        }
        in += count;
        out += count;
        if (count != 32)
            return in;
        wordBefore = true;
    }
    return CopyUnchangedTextSse2<kStopAtLess>(in, to, out, wordBefore);
}

#endif

} // namespace detail

// Moves the text from in on that comes out unchanged to out, which is in or
// lies before it, and stops at to, at the first byte that may change, or
// (kStopAtLess) at the first "<". wordBefore: the byte written last is a
// word byte, so a space at in is kept. Returns where it stopped; out has
// moved as far.
template <bool kStopAtLess>
char *CopyUnchangedText(char *in, const char *to, char *&out, bool wordBefore) {
#ifdef CRV_VECTOR_SCAN
    switch (ActiveScanPath()) {
    case ScanPath::kAvx2:
        return detail::CopyUnchangedTextAvx2<kStopAtLess>(in, to, out, wordBefore);
    case ScanPath::kSse2:
        return detail::CopyUnchangedTextSse2<kStopAtLess>(in, to, out, wordBefore);
    default:
        break;
    }
#endif
    return detail::CopyUnchangedTextLanes<kStopAtLess>(in, to, out, wordBefore);
}

} // namespace crv

#endif
