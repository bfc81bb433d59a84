// The content of the elements whose text the pass must not read as markup:
// script and style (compressed or copied), textarea (its value, copied),
// title (text, whatever it looks like) and everything after plaintext.
#ifndef CRV_ELEMENT_CONTENT_H
#define CRV_ELEMENT_CONTENT_H

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

} // namespace detail

// As ReadContentOf, answered without a call for the names that cannot hold
// such content. Every start tag asks, and the names of those elements are
// five bytes or longer and differ in their first five, which one word
// compares; a longer name may be one of them once the slashes at its end
// are taken off, and a name too long for a key (empty) may still be.
inline ElementContent ContentOf(NameKey key, const char *nameBegin, char *nameEnd,
                                const char *end) {
    const std::uint64_t prefix = detail::KeyPrefix(key);
    if (prefix != detail::NamePrefix("script") && prefix != detail::NamePrefix("style") &&
        prefix != detail::NamePrefix("textarea") && prefix != detail::NamePrefix("title") &&
        prefix != detail::NamePrefix("plaintext") && key.head != 0)
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
