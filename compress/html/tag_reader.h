// Reads a tag part by part: its name, then each attribute, then how it ends.
// The scan that looks for the tag's end and the rewrite that shortens it use
// this one reading, so they always agree on where a value starts and stops.
#ifndef CRV_TAG_READER_H
#define CRV_TAG_READER_H

#include <bit>
#include <cstdint>

#include "compress/ascii_class.h"
#include "compress/byte_scan.h"
#include "compress/html/attribute_value.h"
#include "compress/html/byte_lanes.h"
#include "compress/html/html_char.h"
#include "compress/html/name_key.h"

namespace crv {

struct TagAttribute {
    char *nameBegin;
    char *nameEnd;
    NameKey key;      // the key of the name
    bool hasValue;    // an "=" follows the name
    char quote;       // the quote around the value, or 0 for an unquoted one
    char *valueBegin; // inside the quotes
    char *valueEnd;   // the closing quote, or one past an unquoted value
    bool needsQuotes; // a quoted value that must keep its quotes as it is
    bool spaceBefore; // white space separates it from what comes before
    // Of the commonest shape, ` name="value"`: one space before it, the name
    // starting with a letter, "=" and the opening quote right behind it, and
    // the closing quote found; its source reads as a rewrite that keeps the
    // quotes would write it.
    bool plain;
};

enum class TagStep {
    kAttribute, // an attribute was read
    kClose,     // the tag ends at its ">"
    kSelfClose, // the tag ends with "/>"; its "/" follows white space or a quote
    kAbandon,   // a "<" came first: what was read is text, not a tag
    kTextEnd,   // the zero byte came first
};

// lt is the "<" of a tag. Its name runs from the next character to the first
// white space or ">" (or "<", or the zero byte), so an end tag's name keeps
// its "/" ("/p"), and "<br/>" is named "br/". Returns one past the name.
char *FindTagNameEnd(char *lt);

struct TagName {
    char *end;   // one past the name
    NameKey key; // the key of the name
};

// The name of the tag at lt and its key, end being the zero byte of the
// text. Nearly every name is shorter than eight bytes, so one word read
// after the "<" holds both the name and the byte that ends it, and the key
// is made from that word without a loop over the bytes. A candidate that
// belongs to the name (a control byte below "!" that is no white space, or
// "=") makes it read byte by byte, as is a longer name.
inline TagName ReadTagName(char *lt, const char *end) {
    char *name = lt + 1;
    if (end - name >= 8) {
        const ByteLanes lanes = LoadLanes(name);
        // "<", "=" and ">" are neighbours: one test takes all three, and an
        // "=", which belongs to a tag name, fails the check below.
        const ByteLanes candidates =
            LanesBelow(lanes, '!') | LanesBelow(lanes ^ (kEveryLane * '<'), 3);
        if (candidates != 0) {
            const auto length = static_cast<std::size_t>(std::countr_zero(candidates) / 8);
            if (HasHtmlClass(name[length], kEndsTagPart))
                return {name + length, {FoldedKeyHead(lanes, length), 0}};
        }
    }
    char *nameEnd = FindTagNameEnd(lt);
    return {nameEnd, MakeNameKey(name, nameEnd, end)};
}

class TagReader {
  public:
    // Reads the attributes of a tag from one past its name on; end is the
    // zero byte that ends the text.
    TagReader(char *nameEnd, const char *end) : at_(nameEnd), end_(end) {}

    // Reads the next part. After kClose and kSelfClose, Position() is the
    // ">"; after kAbandon the "<"; after kTextEnd the zero byte.
    TagStep Next(TagAttribute &attribute);
    char *Position() const { return at_; }

    // Reads the remaining parts; returns how the tag ends.
    TagStep ReadToEnd();

  private:
    bool ReadPlainAttribute(TagAttribute &attribute);
    template <char kQuote>
    void ReadQuotedValue(TagAttribute &attribute, char *first);
    void ReadValue(TagAttribute &attribute, char *first);

    char *at_;
    const char *end_;
    bool afterQuote_ = false; // the part read last was a quoted value
};

namespace detail {

inline char *SkipSpace(char *at) {
    while (IsHtmlSpace(*at))
        ++at;
    return at;
}

// The end of the attribute name that starts at first, and its key, end
// being the zero byte of the text. The first character belongs to the name
// whatever it is ("=", a quote). Most names are shorter than eight bytes:
// one word read at first holds the name and the byte that ends it, as for a
// tag name, and gives the key without a second reading. A control byte that
// belongs to the name, or a longer name, is read byte by byte.
inline char *ReadAttributeName(char *first, const char *end, NameKey &key) {
    if (end - first >= 8) {
        const ByteLanes lanes = LoadLanes(first);
        // "<", "=" and ">" are neighbours, taken by one test.
        const ByteLanes candidates =
            (LanesBelow(lanes, '!') | LanesBelow(lanes ^ (kEveryLane * '<'), 3)) & ~ByteLanes{0x80};
        if (candidates != 0) {
            const auto length = static_cast<std::size_t>(std::countr_zero(candidates) / 8);
            if (HasHtmlClass(first[length], kEndsAttributeName)) {
                key = {FoldedKeyHead(lanes, length), 0};
                return first + length;
            }
        }
    }
    char *nameEnd = first;
    do
        ++nameEnd;
    while (!HasHtmlClass(*nameEnd, kEndsAttributeName));
    key = MakeNameKey(first, nameEnd, end);
    return nameEnd;
}

#ifdef CRV_VECTOR_SCAN
// A bit for each of the sixteen bytes at at that may be one of QuoteKeepers.
// Every byte below "!" stands for the white space among them, which takes
// one comparison instead of five; the caller turns away the control bytes
// this lets in.
inline unsigned QuoteKeeperCandidates(const char *at) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(at));
    __m128i hits = _mm_cmpeq_epi8(_mm_min_epu8(block, _mm_set1_epi8(' ')), block);
    hits = _mm_or_si128(hits, _mm_cmpeq_epi8(block, _mm_set1_epi8('>')));
    hits = _mm_or_si128(hits, _mm_cmpeq_epi8(block, _mm_set1_epi8('"')));
    hits = _mm_or_si128(hits, _mm_cmpeq_epi8(block, _mm_set1_epi8('\'')));
    return static_cast<unsigned>(_mm_movemask_epi8(hits));
}
#endif

// The first of QuoteKeepers from first on, or end. Most values are shorter
// than 32 bytes, where the call and path choice of the wide scan cost more
// than its width saves: their first 32 bytes are tested in line, sixteen at
// a time but with one branch on the outcome (a loop over 16-byte blocks
// would leave at a turn that changes with every value), where the build has
// SSE2 and the scalar path is not forced. A longer value, and the last bytes
// before end, are left to the wide scan, which reads no further than end.
inline char *FindQuoteKeeper(char *first, const char *end) {
#ifdef CRV_VECTOR_SCAN
    if (end - first >= 32 && ActiveScanPath() != ScanPath::kScalar) {
        const std::uint32_t candidates =
            QuoteKeeperCandidates(first) | QuoteKeeperCandidates(first + 16) << 16;
        for (std::uint32_t mask = candidates; mask != 0; mask &= mask - 1) {
            char *candidate = first + std::countr_zero(mask);
            if (QuoteKeepers::Has(*candidate))
                return candidate;
        }
        first += 32;
    }
#endif
    return FindByte<QuoteKeepers>(first, end);
}

#ifdef CRV_VECTOR_SCAN
// The first 32 bytes of a value, one bit per byte: its quote; the space,
// ">" and the other quote, which keep the quotes; and the bytes below " "
// but the space, which are white space that keeps them or control bytes
// that do not, told apart byte by byte on the longer way.
struct ValueMasks {
    std::uint32_t quote;
    std::uint32_t keepers;
    std::uint32_t controls;
};

template <char kQuote>
inline ValueMasks MaskValue(const char *at) {
    constexpr char kOtherQuote = kQuote == '"' ? '\'' : '"';
    std::uint32_t masks[3] = {};
    for (int half = 0; half < 2; ++half) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(at + 16 * half));
        const __m128i spaces = _mm_cmpeq_epi8(block, _mm_set1_epi8(' '));
        const __m128i notAboveSpace =
            _mm_cmpeq_epi8(_mm_min_epu8(block, _mm_set1_epi8(' ')), block);
        const __m128i keepers =
            _mm_or_si128(_mm_or_si128(spaces, _mm_cmpeq_epi8(block, _mm_set1_epi8('>'))),
                         _mm_cmpeq_epi8(block, _mm_set1_epi8(kOtherQuote)));
        const __m128i hits[3] = {_mm_cmpeq_epi8(block, _mm_set1_epi8(kQuote)), keepers,
                                 _mm_andnot_si128(spaces, notAboveSpace)};
        for (int mask = 0; mask < 3; ++mask)
            masks[mask] |= static_cast<std::uint32_t>(_mm_movemask_epi8(hits[mask])) << 16 * half;
    }
    return {masks[0], masks[1], masks[2]};
}
#endif

// The closing quote of a value from its first byte on, or end; needsQuotes
// tells whether a byte before it keeps the quotes. Most values end within
// 32 bytes and hold no byte below " " but the space: the first 32 bytes,
// read as masks, give both answers with one branch on their outcome rather
// than one on each byte found, which mispredicted at every value. A longer
// value goes on from its 33rd byte, to its quote alone once a keeper was
// seen. A value with a control byte, and the last bytes before end, are
// scanned for the keepers, which usually finds the closing quote as well.
template <char kQuote>
char *FindValueEnd(char *first, const char *end, bool &needsQuotes) {
    char *from = first;
#ifdef CRV_VECTOR_SCAN
    if (end - first >= 32 && ActiveScanPath() != ScanPath::kScalar) {
        const ValueMasks masks = MaskValue<kQuote>(first);
        // The bits before the closing quote, all of them when there is none.
        const std::uint32_t before = (masks.quote & (0 - masks.quote)) - 1;
        if ((masks.controls & before) == 0) {
            if (masks.quote != 0) {
                needsQuotes = before == 0 || (masks.keepers & before) != 0;
                return first + std::countr_zero(masks.quote);
            }
            if (masks.keepers != 0) {
                needsQuotes = true;
                return FindByte<ByteSet<0, kQuote>>(first + 32, end);
            }
            from = first + 32;
        }
    }
#endif
    char *stop = FindQuoteKeeper(from, end);
    needsQuotes = stop == first || (stop != end && *stop != kQuote);
    if (stop != end && *stop != kQuote)
        stop = FindByte<ByteSet<0, kQuote>>(stop, end);
    return stop;
}

} // namespace detail

// The quoted value whose first byte is first, up to its closing quote or
// the zero byte.
template <char kQuote>
void TagReader::ReadQuotedValue(TagAttribute &attribute, char *first) {
    attribute.quote = kQuote;
    attribute.valueBegin = first;
    attribute.valueEnd = detail::FindValueEnd<kQuote>(first, end_, attribute.needsQuotes);
    afterQuote_ = *attribute.valueEnd != '\0';
    at_ = afterQuote_ ? attribute.valueEnd + 1 : attribute.valueEnd;
}

// Reads an attribute of the plain shape, which nearly every attribute has,
// without the tests for the end of the tag and for white space around "=".
// Returns false, having moved nothing, for any other part, which the general
// reading then takes from the start.
inline bool TagReader::ReadPlainAttribute(TagAttribute &attribute) {
    char *space = at_;
    if (space[0] != ' ' || !IsAsciiLetter(space[1]))
        return false;
    char *nameEnd = detail::ReadAttributeName(space + 1, end_, attribute.key);
    if (nameEnd[0] != '=' || nameEnd[1] != '"')
        return false;
    char *valueEnd = detail::FindValueEnd<'"'>(nameEnd + 2, end_, attribute.needsQuotes);
    if (*valueEnd != '"')
        return false;
    attribute.nameBegin = space + 1;
    attribute.nameEnd = nameEnd;
    attribute.hasValue = true;
    attribute.quote = '"';
    attribute.valueBegin = nameEnd + 2;
    attribute.valueEnd = valueEnd;
    attribute.spaceBefore = true;
    attribute.plain = true;
    afterQuote_ = true;
    at_ = valueEnd + 1;
    return true;
}

// Next and ReadValue run for every part of every tag with attributes, in
// the rewriter's loop, so they are inline.
inline TagStep TagReader::Next(TagAttribute &attribute) {
    if (ReadPlainAttribute(attribute))
        return TagStep::kAttribute;
    char *at = detail::SkipSpace(at_);
    const bool spaceBefore = at != at_;
    at_ = at;
    switch (*at) {
    case '>':
        return TagStep::kClose;
    case '<':
        return TagStep::kAbandon;
    case '\0':
        return TagStep::kTextEnd;
    case '/':
        if (at[1] == '>' && (spaceBefore || afterQuote_)) {
            at_ = at + 1;
            return TagStep::kSelfClose;
        }
        break;
    default:
        break;
    }
    afterQuote_ = false;
    attribute.spaceBefore = spaceBefore;
    attribute.plain = false;
    attribute.nameBegin = at;
    at = detail::ReadAttributeName(at, end_, attribute.key);
    attribute.nameEnd = at;
    at_ = at;
    char *equals = detail::SkipSpace(at);
    attribute.hasValue = *equals == '=';
    if (attribute.hasValue)
        ReadValue(attribute, detail::SkipSpace(equals + 1));
    return TagStep::kAttribute;
}

// A quote opens a value only here, right after "=": in a name or inside an
// unquoted value ("title=it's") it is an ordinary character, as in a browser.
inline void TagReader::ReadValue(TagAttribute &attribute, char *first) {
    if (*first == '"') {
        ReadQuotedValue<'"'>(attribute, first + 1);
        return;
    }
    if (*first == '\'') {
        ReadQuotedValue<'\''>(attribute, first + 1);
        return;
    }
    attribute.quote = 0;
    attribute.needsQuotes = false;
    attribute.valueBegin = first;
    char *end = first;
    while (!HasHtmlClass(*end, kEndsTagPart))
        ++end;
    attribute.valueEnd = end;
    at_ = end;
}

} // namespace crv

#endif
