// A tag or attribute name as the vocabulary look-ups see it: lower-cased (a
// short name read as one word is folded instead, see FoldedKeyHead) and
// packed into two words, so that comparing a name with a known one is
// comparing two pairs of integers. The output keeps the name as the source
// spells it.
#ifndef CRV_NAME_KEY_H
#define CRV_NAME_KEY_H

#include <cstddef>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "compress/html/html_char.h"

static_assert(std::endian::native == std::endian::little,
              "the first byte of a name must be the lowest byte of its key");

namespace crv {

struct NameKey {
    std::uint64_t head = 0; // bytes 0 to 7, the first one in the lowest bits
    std::uint64_t tail = 0; // bytes 8 to 15; unused bytes are zero

    friend constexpr bool operator==(const NameKey &, const NameKey &) = default;
};

inline constexpr std::size_t kLongestKeyedName = 16;

// A name longer than 16 bytes gets the key of the empty name: no list entry
// is that long, and no list holds the empty name, so it matches nothing.
// Names hold no zero byte, so the padding cannot make two names alike.
constexpr NameKey MakeNameKey(std::string_view name) {
    NameKey key;
    if (name.size() > kLongestKeyedName)
        return key;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const std::uint64_t byte = static_cast<unsigned char>(LowerAsciiLetter(name[i]));
        if (i < 8)
            key.head |= byte << (8 * i);
        else
            key.tail |= byte << (8 * (i - 8));
    }
    return key;
}

inline NameKey MakeNameKey(const char *from, const char *to) {
    return MakeNameKey(std::string_view(from, static_cast<std::size_t>(to - from)));
}

// Every byte of eight from "A" to "Z" made lower case, the others left: a
// byte's low seven bits are at least "A" and below "[" while its high bit is
// clear. No sum carries from one byte into the next.
constexpr std::uint64_t LowerAsciiLetters(std::uint64_t bytes) {
    constexpr std::uint64_t kEvery = 0x0101010101010101u;
    const std::uint64_t ascii = bytes & (kEvery * 0x7F);
    const std::uint64_t fromA = ascii + kEvery * (0x80 - 'A');
    const std::uint64_t pastZ = ascii + kEvery * (0x80 - 'Z' - 1);
    const std::uint64_t upper = fromA & ~pastZ & ~bytes & (kEvery * 0x80);
    return bytes | (upper >> 2);
}

// The low count bytes of eight, count at most 8.
constexpr std::uint64_t LowBytes(std::uint64_t bytes, std::size_t count) {
    return count >= 8 ? bytes : bytes & ((std::uint64_t{1} << (8 * count)) - 1);
}

// The head of the key of a name of count bytes (at most 8) read as one word,
// where no byte of the name but the first is below "!". Keys are only ever
// compared with those of the names the compressor knows, made of lower-case
// letters and "/" (and of letters alone where an attribute is asked about).
// Setting the 0x20 bit of every byte makes the same matches as lower-casing
// the letters: the only other bytes it turns into a letter or "/" are
// capitals and bytes below "!". A first byte below "!" may turn into "/",
// but the names that begin with it are end tags, which hold none of the bits
// asked of an attribute. One OR instead of a test of every byte for a
// capital, as every tag and every attribute costs a key.
constexpr std::uint64_t FoldedKeyHead(std::uint64_t bytes, std::size_t count) {
    constexpr std::uint64_t kEvery = 0x0101010101010101u;
    return LowBytes(bytes | (kEvery * 0x20), count);
}

// The key of [from, to) where the text goes on to end, its zero byte. A tag
// costs a key for its name and one for each attribute, so where sixteen
// bytes can be read they are taken two words at a time.
inline NameKey MakeNameKey(const char *from, const char *to, const char *end) {
    const auto size = static_cast<std::size_t>(to - from);
    if (size > kLongestKeyedName)
        return {};
    if (end - from < 16)
        return MakeNameKey(from, to);
    std::uint64_t head;
    std::uint64_t tail;
    std::memcpy(&head, from, sizeof head);
    std::memcpy(&tail, from + 8, sizeof tail);
    return {LowerAsciiLetters(LowBytes(head, size)),
            size > 8 ? LowerAsciiLetters(LowBytes(tail, size - 8)) : 0};
}

} // namespace crv

#endif
