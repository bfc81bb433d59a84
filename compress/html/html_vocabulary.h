// The word lists that hold the HTML compressor's whole knowledge of elements
// and attributes. Every entry is lower case; an entry that begins with "/"
// names an end tag. The lists are read-only and shared by every instance.
#ifndef CRV_HTML_VOCABULARY_H
#define CRV_HTML_VOCABULARY_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "compress/html/name_key.h"

namespace crv {

// Elements without an end tag: their end tags are dropped.
inline constexpr std::array<std::string_view, 17> NoEndTagElements = {
    "area", "base", "basefont", "bgsound", "br", "col", "hr", "img", "input",
    "isindex", "keygen", "link", "meta", "param", "plaintext", "spacer", "wbr"};

// Tags before which a pending space goes.
inline constexpr std::array<std::string_view, 84> TrimBeforeTags = {
    "applet", "/applet", "area", "base", "basefont", "bgsound", "body", "br",
    "/button", "caption", "/caption", "center", "/center", "col", "colgroup",
    "/colgroup", "dd", "/dd", "dir", "/dir", "/div", "/dl", "dt", "/dt",
    "fieldset", "/fieldset", "form", "/form", "frame", "/frame", "frameset",
    "/frameset", "head", "/head", "hr", "html", "/html", "/iframe", "/ilayer",
    "isindex", "/li", "link", "listing", "/map", "/marquee", "menu", "/menu",
    "meta", "multicol", "/multicol", "/noembed", "/noframes", "/noscript", "ol",
    "/ol", "optgroup", "/optgroup", "option", "p", "/p", "param", "plaintext",
    "pre", "/select", "/server", "table", "/table", "tbody", "/tbody", "td",
    "/td", "/textarea", "tfoot", "/tfoot", "th", "/th", "thead", "/thead",
    "title", "/title", "tr", "/tr", "/ul", "xmp"};

// Tags that behave like a word: white space after them becomes one space.
inline constexpr std::array<std::string_view, 19> SpaceAfterTags = {
    "/applet", "/button", "/dir", "dl", "param", "/iframe", "/ilayer", "img",
    "input", "keygen", "/legend", "object", "/object", "/option", "select",
    "/select", "/script", "span", "/textarea"};

// Tags after which white space goes up to the next word.
inline constexpr std::array<std::string_view, 86> TrimAfterTags = {
    "applet", "area", "base", "basefont", "bgsound", "body", "/body", "br",
    "button", "caption", "/caption", "center", "/center", "col", "colgroup",
    "/colgroup", "dd", "/dd", "dir", "div", "/div", "dl", "/dl", "dt", "/dt",
    "fieldset", "/fieldset", "form", "/form", "frame", "/frame", "frameset",
    "/frameset", "head", "/head", "hr", "html", "/html", "iframe", "ilayer",
    "isindex", "li", "/li", "link", "/listing", "map", "marquee", "menu",
    "/menu", "meta", "multicol", "/multicol", "noembed", "noframes",
    "noscript", "ol", "/ol", "optgroup", "/optgroup", "option", "/option", "p",
    "/p", "/pre", "select", "server", "table", "/table", "tbody", "/tbody",
    "td", "/td", "textarea", "tfoot", "/tfoot", "th", "/th", "thead",
    "/thead", "title", "/title", "tr", "/tr", "ul", "/ul", "/xmp"};

// Elements whose start tag and content are copied as they are.
inline constexpr std::array<std::string_view, 3> VerbatimElements = {"listing", "pre", "xmp"};

// Attributes written by their name alone.
inline constexpr std::array<std::string_view, 18> BooleanAttributes = {
    "checked", "compact", "controls", "declare", "defer", "disabled",
    "hidden", "ismap", "mayscript", "multiple", "nohref", "noresize",
    "noshade", "notab", "nowrap", "readonly", "shapes", "selected"};

// Attributes whose quoted value is plain text, never a script.
inline constexpr std::array<std::string_view, 12> TextAttributes = {
    "abbr", "alt", "axis", "challenge", "content", "href", "label", "prompt",
    "src", "summary", "title", "value"};

// One bit per list, so that one look-up answers for all of them.
enum VocabularyList : std::uint8_t {
    kNoEndTagElement = 1 << 0,
    kTrimBeforeTag = 1 << 1,
    kSpaceAfterTag = 1 << 2,
    kTrimAfterTag = 1 << 3,
    kVerbatimElement = 1 << 4,
    kBooleanAttribute = 1 << 5,
    kTextAttribute = 1 << 6,
    // Not a list of its own but read from NoEndTagElements: the name is an
    // end tag ("/br") of an element in that list.
    kEndTagOfNoEndTagElement = 1 << 7,
};

namespace detail {

inline constexpr int kVocabularyTableBits = 10; // 1024 slots for the ~170 names
inline constexpr std::size_t kVocabularyTableSize = std::size_t{1} << kVocabularyTableBits;

// The multiplier of the head was chosen from many as one that gives every
// name a slot of its own; the table's build checks it.
constexpr std::size_t HashName(const NameKey &name) {
    const std::uint64_t mixed = name.head * 0xF7AFF4DFAA317269u + name.tail * 0xC2B2AE3D27D4EB4Fu;
    return static_cast<std::size_t>(mixed >> (64 - kVocabularyTableBits));
}

// The table as the look-up reads it: the first eight bytes of each name in
// an array of their own, so that a probe touches 8 KiB rather than 24. No
// name in the table is longer than ten bytes ("/plaintext"), so the rest of
// a name fits in 16 bits. A free slot has an empty head.
struct VocabularyTable {
    std::array<std::uint64_t, kVocabularyTableSize> heads{};
    std::array<std::uint16_t, kVocabularyTableSize> tails{};
    std::array<std::uint8_t, kVocabularyTableSize> lists{};
};

// Filled in at compile time from the lists above.
extern const VocabularyTable kVocabularyTable;

} // namespace detail

// The membership test of all lists at once: the lists that hold the name,
// as VocabularyList bits. The key is lower-cased, so the answer does not
// depend on the case of the document; an empty name is in no list. Every
// tag and every attribute asks, and a name can only be in the slot its hash
// gives, so one comparison answers, without a branch on whether the name
// is known: that follows no pattern a branch could learn. A tail longer than
// the table keeps matches none.
inline std::uint8_t ListsHolding(NameKey name) {
    using detail::kVocabularyTable;
    const std::size_t index = detail::HashName(name);
    const unsigned holds = static_cast<unsigned>(kVocabularyTable.heads[index] == name.head) &
                           static_cast<unsigned>(kVocabularyTable.tails[index] == name.tail);
    // A mask rather than a choice, which the compiler would make a branch.
    const unsigned every = 0u - holds;
    return static_cast<std::uint8_t>(kVocabularyTable.lists[index] & every);
}

} // namespace crv

#endif
