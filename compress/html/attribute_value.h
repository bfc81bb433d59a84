// What becomes of a quoted attribute value: compressed as a script or a style
// or left as it is, and then written with or without its quotes.
#ifndef CRV_ATTRIBUTE_VALUE_H
#define CRV_ATTRIBUTE_VALUE_H

#include <cstdint>
#include <string_view>

#include "compress/byte_scan.h"
#include "compress/html/html_char.h"
#include "compress/html/html_vocabulary.h"
#include "compress/html/name_key.h"

namespace crv {

enum class ValueKind {
    kText,   // in TextAttributes: plain text
    kScript, // an event handler ("onclick"): JavaScript
    kStyle,  // "style": declarations of a style sheet
    kOther,  // anything else: left as it is
};

namespace detail {

inline constexpr NameKey kStyleKey = MakeNameKey("style");
inline constexpr std::uint64_t kEventPrefix = MakeNameKey("on").head;

constexpr bool StartsWithOn(std::string_view name) {
    return name.size() >= 2 && LowerAsciiLetter(name[0]) == 'o' &&
           LowerAsciiLetter(name[1]) == 'n';
}

} // namespace detail

// name is the attribute's name as the source spells it, key its key and
// lists the vocabulary lists that hold it. Any name that begins with "on",
// however long, is an event handler. Every attribute of a tag asks, so the
// answer comes from the key where the name has one (its first two bytes,
// lower-cased, are the key's lowest); a name too long for a key has the
// empty one and is read itself.
constexpr ValueKind ValueKindOf(std::string_view name, NameKey key, std::uint8_t lists) {
    if ((lists & kTextAttribute) != 0)
        return ValueKind::kText;
    const bool event =
        key.head != 0 ? (key.head & 0xFFFF) == detail::kEventPrefix : detail::StartsWithOn(name);
    if (event)
        return ValueKind::kScript;
    if (key == detail::kStyleKey)
        return ValueKind::kStyle;
    return ValueKind::kOther;
}

// Whether values of this kind are compressed, which happens in place.
constexpr bool CompressesInPlace(ValueKind kind) {
    return kind == ValueKind::kScript || kind == ValueKind::kStyle;
}

// Compresses the quoted value [begin, end) in place according to kind and
// returns its new end. The byte before begin is the opening quote; end is
// the closing quote, which is zeroed for the call and put back.
char *CompressQuotedValue(ValueKind kind, char *begin, char *end);

// The bytes that keep a value in quotes: white space (the form feed too,
// which browsers take for it) or ">" would end an unquoted value, a quote
// would open one.
using QuoteKeepers = ByteSet<0, ' ', '\t', '\n', '\r', '\f', '>', '"', '\''>;

// Whether the value must keep its quotes: an unquoted value would be empty,
// or holds one of QuoteKeepers.
inline bool ValueNeedsQuotes(const char *begin, const char *end) {
    return begin == end || FindByte<QuoteKeepers>(begin, end) != end;
}

} // namespace crv

#endif
