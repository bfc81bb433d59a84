// Character classes shared by the script and style compressors. Every byte
// from 0x80 up counts as a name character.
#ifndef CRV_CHAR_CLASS_H
#define CRV_CHAR_CLASS_H

#include <cstddef>
#include <cstdint>

#include "compress/ascii_class.h"

namespace crv {

// One bit per class; a byte may belong to several.
enum CharClass : std::uint8_t {
    kWhiteSpace = 1 << 0,       // tab, line feed, carriage return, space
    kStylePunctuation = 1 << 1, // a space next to one of these is not needed
    kLetter = 1 << 2,           // ASCII letters
    kDigit = 1 << 3,            // ASCII digits
    kNameChar = 1 << 4,         // may stand inside an identifier
    kTextEnd = 1 << 5,          // the zero byte that ends a text
    kStyleSyntax = 1 << 6,      // what a style sheet's structure hangs on:
                                // braces, brackets, quotes, ";", "/", "@"
};

namespace detail {

constexpr ClassTable MakeCharClassTable() {
    ClassTable table{};
    table[0] = kTextEnd;
    MarkClass(table, kAsciiWhiteSpace, kWhiteSpace);
    MarkClass(table, "\"%&'()*+,-/:;<=>?[]{|}~", kStylePunctuation);
    for (int c = 'a'; c <= 'z'; ++c) {
        table[c] |= kLetter | kNameChar;
        table[c - 'a' + 'A'] |= kLetter | kNameChar;
    }
    for (int c = '0'; c <= '9'; ++c)
        table[c] |= kDigit | kNameChar;
    MarkClass(table, "-_\\", kNameChar);
    for (int c = 0x80; c < 0x100; ++c)
        table[c] |= kNameChar;
    MarkClass(table, "{}()[]\"';/@", kStyleSyntax);
    return table;
}

} // namespace detail

inline constexpr ClassTable kCharClass = detail::MakeCharClassTable();

constexpr bool HasClass(char c, std::uint8_t classes) { return InClass(kCharClass, c, classes); }

constexpr bool IsWhiteSpace(char c) { return HasClass(c, kWhiteSpace); }
constexpr bool IsStylePunctuation(char c) { return HasClass(c, kStylePunctuation); }
constexpr bool IsLetter(char c) { return HasClass(c, kLetter); }
constexpr bool IsDigit(char c) { return HasClass(c, kDigit); }
constexpr bool IsNameChar(char c) { return HasClass(c, kNameChar); }
constexpr bool IsHighByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// The script compressor's classes live in a table of their own: the style
// table above has no bit to spare.
enum ScriptClass : std::uint8_t {
    kScriptPunctuation = 1 << 0, // no separator is needed next to one of these
    kScriptLineEnder = 1 << 1,   // punctuation that can end a statement before a line break
    kScriptWordChar = 1 << 2,    // may stand inside an identifier or keyword
    kRegexFollows = 1 << 3,      // a "/" after one of these opens a regular expression
    kScriptRunStop = 1 << 4,     // stops a run of plain copying: see MakeScriptClassTable
};

namespace detail {

constexpr ClassTable MakeScriptClassTable() {
    ClassTable table{};
    MarkClass(table, "!\"%&'()*+,-./:;<=>?[]{|}~", kScriptPunctuation);
    MarkClass(table, "\"')+-.]", kScriptLineEnder);
    for (std::size_t c = 0; c < table.size(); ++c)
        if ((kCharClass[c] & (kLetter | kDigit)) != 0 || c >= 0x80)
            table[c] |= kScriptWordChar;
    MarkClass(table, "_$\\", kScriptWordChar);
    MarkClass(table, "(,=:[!&|?{};~+-*%<>^", kRegexFollows);
    // White space, the end, and what changes the state, starts a literal or
    // comment, or ends the keyword of a generator ("function*name").
    // Other punctuation needs a look only right behind white space.
    MarkClass(table, "\t\n\r ()[]{}+-*\"'`/<", kScriptRunStop);
    table[0] |= kScriptRunStop;
    return table;
}

} // namespace detail

inline constexpr ClassTable kScriptClass = detail::MakeScriptClassTable();

constexpr bool HasScriptClass(char c, std::uint8_t classes) {
    return InClass(kScriptClass, c, classes);
}

constexpr bool IsScriptPunctuation(char c) { return HasScriptClass(c, kScriptPunctuation); }
constexpr bool IsScriptLineEnder(char c) { return HasScriptClass(c, kScriptLineEnder); }
constexpr bool IsScriptWordChar(char c) { return HasScriptClass(c, kScriptWordChar); }

} // namespace crv

#endif
