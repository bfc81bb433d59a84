// The character classes of the HTML compressor, one table lookup each.
#ifndef CRV_HTML_CHAR_H
#define CRV_HTML_CHAR_H

#include <cstdint>
#include <string_view>

#include "compress/ascii_class.h"

namespace crv {

enum HtmlCharClass : std::uint8_t {
    // Tab, line feed, carriage return and space: the white space that text
    // runs collapse and that separates the parts of a tag.
    kHtmlSpace = 1 << 0,
    // Ends a tag's name or an unquoted value: white space, ">", "<" (which
    // abandons the tag) and the zero byte.
    kEndsTagPart = 1 << 1,
    // Ends an attribute's name: the above and "=".
    kEndsAttributeName = 1 << 2,
    // May follow "<" for it to open markup: an ASCII letter, "/", "!", "?".
    kOpensMarkup = 1 << 3,
};

namespace detail {

constexpr ClassTable MakeHtmlCharClassTable() {
    ClassTable table{};
    MarkClass(table, kAsciiWhiteSpace,
              kHtmlSpace | kEndsTagPart | kEndsAttributeName);
    MarkClass(table, "><", kEndsTagPart | kEndsAttributeName);
    MarkClass(table, std::string_view("\0", 1), kEndsTagPart | kEndsAttributeName);
    MarkClass(table, "=", kEndsAttributeName);
    MarkClass(table, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ/!?", kOpensMarkup);
    return table;
}

} // namespace detail

inline constexpr ClassTable kHtmlCharClass = detail::MakeHtmlCharClassTable();

constexpr bool HasHtmlClass(char c, std::uint8_t classes) {
    return InClass(kHtmlCharClass, c, classes);
}

constexpr bool IsHtmlSpace(char c) { return HasHtmlClass(c, kHtmlSpace); }

// What may follow "<" for it to open markup; any other "<" is text, as a
// browser reads it ("x < y" is a comparison, not a tag). One lookup rather
// than a chain of compares, as every tag asks twice.
constexpr bool OpensMarkup(char c) { return HasHtmlClass(c, kOpensMarkup); }

} // namespace crv

#endif
