// The content of the elements whose text the pass must not read as markup:
// script and style (compressed or copied), textarea (its value, copied),
// title (text, whatever it looks like) and everything after plaintext.
#ifndef CRV_ELEMENT_CONTENT_H
#define CRV_ELEMENT_CONTENT_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "compress/compress_options.h"
#include "compress/html/name_key.h"

namespace crv {

enum class ElementContent {
    kMarkup,     // any other element: the pass reads on
    kJavaScript, // a script element that holds JavaScript
    kScriptData, // one that holds anything else: a template, JSON, ...
    kCss,        // a style element that holds CSS
    kStyleData,  // one that holds another notation
    kTextarea,
    kTitle,
    kPlaintext,
};

// [nameBegin, nameEnd) is the name of a start tag in the source and key its
// key; the attributes that decide are read from nameEnd on (up to end, the
// zero byte), so this must be asked before the tag is rewritten.
ElementContent ReadContentOf(NameKey key, const char *nameBegin, char *nameEnd, const char *end);

namespace detail {

// The first five bytes of a name, lower-cased, as a key holds them.
constexpr std::uint64_t KeyPrefix(NameKey key) { return key.head & 0xFF'FFFF'FFFF; }
constexpr std::uint64_t NamePrefix(std::string_view name) {
    return KeyPrefix(MakeNameKey(name.substr(0, 5)));
}

// The names of the elements whose content is not markup are five bytes or
// longer and differ in their first five. Their prefixes sit in a table of
// eight slots, chosen by a multiplier under which each falls into a slot of
// its own and none into the first, which (as every free slot) holds zero:
// the prefix of the empty key, whose name may still be one of them.
inline constexpr std::uint64_t kContentPrefixMultiplier = 0x78E5'1061'7311'D8A3;

constexpr std::size_t ContentPrefixSlot(std::uint64_t prefix) {
    return static_cast<std::size_t>((prefix * kContentPrefixMultiplier) >> 61);
}

inline constexpr std::array<std::string_view, 5> kContentElements = {
    "script", "style", "textarea", "title", "plaintext"};

constexpr std::array<std::uint64_t, 8> MakeContentPrefixes() {
    std::array<std::uint64_t, 8> prefixes{};
    for (std::string_view name : kContentElements)
        prefixes[ContentPrefixSlot(NamePrefix(name))] = NamePrefix(name);
    return prefixes;
}

inline constexpr std::array<std::uint64_t, 8> kContentPrefixes = MakeContentPrefixes();

constexpr bool EveryContentPrefixInItsSlot() {
    for (std::string_view name : kContentElements)
        if (ContentPrefixSlot(NamePrefix(name)) == 0 ||
            kContentPrefixes[ContentPrefixSlot(NamePrefix(name))] != NamePrefix(name))
            return false;
    return true;
}

static_assert(EveryContentPrefixInItsSlot());

} // namespace detail

// As ReadContentOf, answered without a call for the names that cannot hold
// such content, by one look-up of the prefix, as every start tag asks. A
// longer name may be one of them once the slashes at its end are taken off,
// and a name too long for a key (empty) may still be.
inline ElementContent ContentOf(NameKey key, const char *nameBegin, char *nameEnd,
                                const char *end) {
    const std::uint64_t prefix = detail::KeyPrefix(key);
    if (detail::kContentPrefixes[detail::ContentPrefixSlot(prefix)] != prefix)
        return ElementContent::kMarkup;
    return ReadContentOf(key, nameBegin, nameEnd, end);
}

// The "<" of the end tag that closes content of this kind, from the first
// byte after the start tag's ">", or the zero byte; from itself for markup.
char *FindContentEnd(ElementContent content, char *from);

// Writes content other than a title's text, [from, close), at out: script
// and style content is compressed when the options ask for it, anything
// else is copied. close must be what FindContentEnd gave.
void WriteElementContent(ElementContent content, char *from, char *close, char *&out,
                         const CompressOptions &options);

} // namespace crv

#endif
