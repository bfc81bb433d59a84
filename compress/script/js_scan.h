// Finding where the short stretches of a script end (names, numbers,
// punctuation, the bodies of string literals) from a mask of 64 bytes made
// at once. Every load stays inside [base, end), as in byte_scan.h, whose
// path choice (UseScanPath) this follows.
//
// The three paths make the same mask. The scalar one looks each byte up in
// a table. SSE2 compares 16 bytes at a time with each member of the set,
// or finds them as the set itself says (Sse2Hits).
// AVX2 looks 32 bytes up at a time by their two halves (nibbles): a byte is a
// member when the class bits of its low nibble and those of its high nibble
// meet, which takes the same few instructions for any set. A set with at
// most one member per low nibble takes one lookup and one compare.
#ifndef CRV_JS_SCAN_H
#define CRV_JS_SCAN_H

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "compress/ascii_class.h"
#include "compress/byte_scan.h"

namespace crv {

// A set of ASCII bytes (the zero byte may be one) with the tables each path
// looks them up in.
template <char... Bytes>
struct ScriptByteSet {
    static_assert(((static_cast<unsigned char>(Bytes) < 0x80) && ...),
                  "the nibble lookup holds ASCII bytes only");

    static constexpr ClassTable MakeMembers() {
        ClassTable table{};
        ((table[static_cast<unsigned char>(Bytes)] = 1), ...);
        return table;
    }

    // Each of the 8 ASCII high nibbles has a bit of its own, which keeps the
    // lookup exact for any set. A byte is a member where its low nibble's
    // bits hold its high nibble's bit, so the test is one compare with no
    // inversion after it; the high nibbles from 8 up have every bit, which
    // the 0 that their low nibble looks up never holds.
    static constexpr std::array<std::uint8_t, 16> MakeHighNibbles() {
        std::array<std::uint8_t, 16> table{};
        for (unsigned high = 0; high < 16; ++high)
            table[high] = static_cast<std::uint8_t>(high < 8 ? 1u << high : 0xFFu);
        return table;
    }

    // For each low nibble, the bits of the high nibbles it makes a member with.
    static constexpr std::array<std::uint8_t, 16> MakeLowNibbles() {
        std::array<std::uint8_t, 16> table{};
        for (unsigned c = 0; c < 0x80; ++c)
            if (MakeMembers()[c] != 0)
                table[c & 0x0F] |= static_cast<std::uint8_t>(1u << (c >> 4));
        return table;
    }

    // Whether no two members share a low nibble, as in white space (09, 0A,
    // 0D, 20): a byte then is a member when it equals the one member of its
    // low nibble, one lookup and one compare instead of two lookups.
    static constexpr bool OneMemberPerLowNibble() {
        for (std::uint8_t bits : MakeLowNibbles())
            if (std::popcount(bits) > 1)
                return false;
        return true;
    }

    // For each low nibble its member, or where it has none a byte of another
    // low nibble, which no byte of this one equals.
    static constexpr std::array<std::uint8_t, 16> MakeLowNibbleMembers() {
        std::array<std::uint8_t, 16> table{};
        for (unsigned low = 0; low < 16; ++low)
            table[low] = static_cast<std::uint8_t>(low ^ 1);
        for (unsigned c = 0; c < 0x80; ++c)
            if (MakeMembers()[c] != 0)
                table[c & 0x0F] = static_cast<std::uint8_t>(c);
        return table;
    }

    static constexpr ClassTable kMembers = MakeMembers();
    static constexpr std::array<std::uint8_t, 16> kHighNibbles = MakeHighNibbles();
    static constexpr std::array<std::uint8_t, 16> kLowNibbles = MakeLowNibbles();
    static constexpr bool kOneMemberPerLowNibble = OneMemberPerLowNibble();
    static constexpr std::array<std::uint8_t, 16> kLowNibbleMembers = MakeLowNibbleMembers();

    static constexpr bool Has(char c) { return kMembers[static_cast<unsigned char>(c)] != 0; }
};

namespace detail {

// Bit i of a block mask stands for the byte at base + i. A block of 64
// bytes is made anew half as often as one of 32, and the guess at whether
// the next stop is still in the block then fails half as often.
constexpr std::ptrdiff_t kBlockBytes = 64;
using BlockBits = std::uint64_t;

// The bits of the bytes from the end of the text on, which count as members
// so that a search stops at the end.
inline BlockBits PastEndBits(const char *base, const char *end) {
    std::ptrdiff_t inside = end - base;
    return inside >= kBlockBytes ? 0 : ~BlockBits{0} << inside;
}

template <class Set>
BlockBits ScalarBlockMask(const char *base, const char *end) {
    const std::ptrdiff_t inside = std::min(end - base, kBlockBytes);
    BlockBits bits = PastEndBits(base, end);
    for (std::ptrdiff_t i = 0; i < inside; ++i)
        bits |= BlockBits{Set::Has(base[i])} << i;
    return bits;
}

#ifdef CRV_VECTOR_SCAN

// The members of a set among 16 bytes, one byte of 0xFF each. A set may
// bring its own way (Set::Sse2Hits); any other compares each member.
template <class Set>
struct Sse2Compare;

template <char... Bytes>
struct Sse2Compare<ScriptByteSet<Bytes...>> {
    static __m128i Hits(__m128i block) {
        __m128i hits = _mm_setzero_si128();
        ((hits = _mm_or_si128(hits, _mm_cmpeq_epi8(block, _mm_set1_epi8(Bytes)))), ...);
        return hits;
    }
};

template <class Set>
__m128i Sse2Hits(__m128i block) {
    if constexpr (requires { Set::Sse2Hits(block); })
        return Set::Sse2Hits(block);
    else
        return Sse2Compare<Set>::Hits(block);
}

template <class Set>
BlockBits Sse2Members(__m128i block) {
    return static_cast<std::uint16_t>(_mm_movemask_epi8(Sse2Hits<Set>(block)));
}

// A lookup table in both 16-byte lanes, as the shuffle wants it. Built at
// compile time, it is one load where a broadcast at run time takes two.
template <const std::array<std::uint8_t, 16> &kTable>
inline constexpr std::array<std::uint8_t, 32> kBothLanes = [] {
    std::array<std::uint8_t, 32> lanes{};
    for (std::size_t i = 0; i < lanes.size(); ++i)
        lanes[i] = kTable[i % kTable.size()];
    return lanes;
}();

template <const std::array<std::uint8_t, 16> &kTable>
__attribute__((target("avx2"))) __m256i LoadTable() {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i *>(kBothLanes<kTable>.data()));
}

// A byte from 0x80 up has its top bit set, which makes the shuffle give 0
// for its low nibble: no member, as the set holds ASCII bytes only.
template <class Set>
__attribute__((target("avx2"))) BlockBits Avx2Members(const char *at) {
    const __m256i block = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(at));
    if constexpr (Set::kOneMemberPerLowNibble) {
        // The 0 given for a byte from 0x80 up never equals that byte.
        const __m256i member = _mm256_shuffle_epi8(LoadTable<Set::kLowNibbleMembers>(), block);
        return static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(member, block)));
    }
    const __m256i low = _mm256_shuffle_epi8(LoadTable<Set::kLowNibbles>(), block);
    const __m256i highIndex =
        _mm256_and_si256(_mm256_srli_epi16(block, 4), _mm256_set1_epi8(0x0F));
    const __m256i high = _mm256_shuffle_epi8(LoadTable<Set::kHighNibbles>(), highIndex);
    const __m256i member = _mm256_cmpeq_epi8(_mm256_and_si256(low, high), high);
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(member));
}

template <class Set>
__attribute__((target("avx2"))) BlockBits Avx2BlockMask(const char *base) {
    return Avx2Members<Set>(base) | Avx2Members<Set>(base + 32) << 32;
}

#endif

// The masks of several sets over one block, one per set, in their order.
template <class... Sets>
using BlockMasks = std::array<BlockBits, sizeof...(Sets)>;

#ifdef CRV_VECTOR_SCAN

// The vector masks cover whole blocks; the last bytes of a text, where a
// whole block would read past the end, take the scalar mask. Each 16 bytes
// are loaded once for all the sets, so the compares that sets share (a byte
// in two of them) are made once.
template <class... Sets>
BlockMasks<Sets...> Sse2BlockMasks(const char *base) {
    BlockMasks<Sets...> masks{};
    for (int at = 0; at < kBlockBytes; at += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(base + at));
        std::size_t set = 0;
        ((masks[set++] |= Sse2Members<Sets>(block) << at), ...);
    }
    return masks;
}

template <class... Sets>
__attribute__((target("avx2"))) BlockMasks<Sets...> Avx2BlockMasks(const char *base) {
    return {Avx2BlockMask<Sets>(base)...};
}

#endif

// The members of each of Sets among the 64 bytes at base, and every byte
// from end on, by the scan path kPath.
template <ScanPath kPath, class... Sets>
BlockMasks<Sets...> MakeBlockMasks(const char *base, const char *end) {
    static_assert(kPath != ScanPath::kUndecided, "a pass runs on a path chosen before it");
#ifdef CRV_VECTOR_SCAN
    if constexpr (kPath != ScanPath::kScalar) {
        if (end - base >= kBlockBytes) {
            if constexpr (kPath == ScanPath::kAvx2)
                return Avx2BlockMasks<Sets...>(base);
            else
                return Sse2BlockMasks<Sets...>(base);
        }
    }
#endif
    return {ScalarBlockMask<Sets>(base, end)...};
}

// The members of Set among the 64 bytes at base, and every byte from end on.
template <ScanPath kPath, class Set>
BlockBits BlockMask(const char *base, const char *end) {
    return MakeBlockMasks<kPath, Set>(base, end)[0];
}

// The first byte at or after from whose bit is set in its block's mask.
// maskAt(at) makes the block anew where it does not hold at, and gives at's
// offset in the block and the block's mask; maskOf(base) makes the block at
// base and gives its mask. The blocks behind the first are made without
// asking whether they hold the byte: the branch that asks is then taken
// only where a search starts, and guessed better there.
template <class MaskAt, class MaskOf>
const char *FirstMarked(const char *from, MaskAt maskAt, MaskOf maskOf) {
    const auto [offset, mask] = maskAt(from);
    const BlockBits ahead = mask >> offset;
    if (ahead != 0)
        return from + std::countr_zero(ahead);
    const char *base = from - offset;
    for (;;) {
        base += kBlockBytes;
        const BlockBits marked = maskOf(base);
        if (marked != 0)
            return base + std::countr_zero(marked);
    }
}

// The block a scan last made, and where a byte stands in it. Owner makes
// the masks of a block in MakeMasks(base, end).
template <class Owner>
class BlockCursor {
  protected:
    // Where from stands in the block, which is made anew at from where it
    // does not hold from.
    std::size_t OffsetIn(const char *from, const char *end) {
        std::uintptr_t offset =
            reinterpret_cast<std::uintptr_t>(from) - reinterpret_cast<std::uintptr_t>(base_);
        if (offset < static_cast<std::uintptr_t>(kBlockBytes))
            return offset;
        MakeBlock(from, end);
        return 0;
    }

    void MakeBlock(const char *base, const char *end) {
        base_ = base;
        static_cast<Owner *>(this)->MakeMasks(base, end);
    }

  private:
    const char *base_ = nullptr;
};

} // namespace detail

// Finds the members of Set in the text one after the other from a mask of
// 64 bytes made once. A short stretch, and most are, then ends after a
// shift and a count, with no branch on its length for the processor to
// guess wrong: a byte loop loses a guess at the end of nearly every name.
// The mask shows the text as it was when made; it stays true of every byte
// at or after the read position, since the output, written over the text,
// never reaches that. On the scalar path a mask would cost a lookup for
// every byte of the block, most of which the next jump leaves unread, so
// there the bytes are looked at one by one.
template <class Set, ScanPath kPath>
class BlockScan : detail::BlockCursor<BlockScan<Set, kPath>> {
    static_assert(Set::Has('\0'), "the zero byte that ends the text ends every stretch");

  public:
    // The first member of Set in [from, end), or end: the zero byte there.
    const char *Next(const char *from, const char *end) {
        if constexpr (kPath == ScanPath::kScalar) {
            while (!Set::Has(*from))
                ++from;
            return from;
        }
        return detail::FirstMarked(
            from,
            [&](const char *at) {
                std::size_t offset = this->OffsetIn(at, end);
                return std::pair{offset, bits_};
            },
            [&](const char *base) {
                this->MakeBlock(base, end);
                return bits_;
            });
    }

  private:
    friend detail::BlockCursor<BlockScan>;

    void MakeMasks(const char *base, const char *end) {
        bits_ = detail::BlockMask<kPath, Set>(base, end);
    }

    detail::BlockBits bits_ = 0;
};

} // namespace crv

#endif
