// What the compressors' character-class tables are built from. They work on
// 8-bit text in any ANSI code page, so only ASCII codes have a class of their
// own; every byte from 0x80 up belongs to a word or a name.
#ifndef CRV_ASCII_CLASS_H
#define CRV_ASCII_CLASS_H

#include <array>
#include <cstdint>
#include <string_view>

namespace crv {

// One byte of class bits per character code, one lookup per test.
using ClassTable = std::array<std::uint8_t, 256>;

// Tab, line feed, carriage return and space: the white space of HTML, CSS
// and the script compressor alike (a form feed is none of it).
inline constexpr std::string_view kAsciiWhiteSpace = " \t\n\r";

constexpr void MarkClass(ClassTable &table, std::string_view chars, std::uint8_t bits) {
    for (char c : chars)
        table[static_cast<unsigned char>(c)] |= bits;
}

// Whether c belongs to any of classes in table.
constexpr bool InClass(const ClassTable &table, char c, std::uint8_t classes) {
    return (table[static_cast<unsigned char>(c)] & classes) != 0;
}

constexpr bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

constexpr char LowerAsciiLetter(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace crv

#endif
