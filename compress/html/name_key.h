// A tag or attribute name as the vocabulary look-ups see it: lower-cased and
// packed into two words, so that comparing two names is comparing two pairs
// of integers. The output keeps the name as the source spells it.
#ifndef CRV_NAME_KEY_H
#define CRV_NAME_KEY_H

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "compress/html/html_char.h"

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

} // namespace crv

#endif
