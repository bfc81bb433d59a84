// The character classes of the HTML compressor, one table lookup each. Only
// ASCII codes have a role; every other byte belongs to a word or a name.
#ifndef CRV_HTML_CHAR_H
#define CRV_HTML_CHAR_H

#include <array>
#include <cstdint>
#include <string_view>

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
    // Keeps a value in quotes: white space (the form feed too, which browsers
    // take for it) or ">" would end an unquoted value, a quote would open one.
    kNeedsQuotes = 1 << 3,
};

namespace detail {

constexpr void MarkHtml(std::array<std::uint8_t, 256> &table, std::string_view chars,
                        std::uint8_t bits) {
    for (char c : chars)
        table[static_cast<unsigned char>(c)] |= bits;
}

constexpr std::array<std::uint8_t, 256> MakeHtmlCharClassTable() {
    std::array<std::uint8_t, 256> table{};
    MarkHtml(table, " \t\n\r", kHtmlSpace | kEndsTagPart | kEndsAttributeName | kNeedsQuotes);
    MarkHtml(table, "><", kEndsTagPart | kEndsAttributeName);
    MarkHtml(table, std::string_view("\0", 1), kEndsTagPart | kEndsAttributeName);
    MarkHtml(table, "=", kEndsAttributeName);
    MarkHtml(table, "\f>\"'", kNeedsQuotes);
    return table;
}

} // namespace detail

inline constexpr std::array<std::uint8_t, 256> kHtmlCharClass = detail::MakeHtmlCharClassTable();

constexpr bool HasHtmlClass(char c, std::uint8_t classes) {
    return (kHtmlCharClass[static_cast<unsigned char>(c)] & classes) != 0;
}

constexpr bool IsHtmlSpace(char c) { return HasHtmlClass(c, kHtmlSpace); }

constexpr bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// What may follow "<" for it to open markup; any other "<" is text, as a
// browser reads it ("x < y" is a comparison, not a tag).
constexpr bool OpensMarkup(char c) { return IsAsciiLetter(c) || c == '/' || c == '!' || c == '?'; }

constexpr char LowerAsciiLetter(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace crv

#endif
