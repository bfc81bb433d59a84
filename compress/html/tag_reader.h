// Reads a tag part by part: its name, then each attribute, then how it ends.
// The scan that looks for the tag's end and the rewrite that shortens it use
// this one reading, so they always agree on where a value starts and stops.
#ifndef CRV_TAG_READER_H
#define CRV_TAG_READER_H

#include <bit>

#include "compress/html/byte_lanes.h"
#include "compress/html/html_char.h"
#include "compress/html/name_key.h"

namespace crv {

struct TagAttribute {
    char *nameBegin;
    char *nameEnd;
    bool hasValue;    // an "=" follows the name
    char quote;       // the quote around the value, or 0 for an unquoted one
    char *valueBegin; // inside the quotes
    char *valueEnd;   // the closing quote, or one past an unquoted value
    bool needsQuotes; // a quoted value that must keep its quotes as it is
    bool spaceBefore; // white space separates it from what comes before
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
// is made from that word without a loop over the bytes. A candidate below
// "!" that is no white space (a control byte) belongs to the name: such a
// name, and a longer one, is read byte by byte.
inline TagName ReadTagName(char *lt, const char *end) {
    char *name = lt + 1;
    if (end - name >= 8) {
        const ByteLanes lanes = LoadLanes(name);
        const ByteLanes candidates =
            LanesBelow(lanes, '!') | LanesEqual(lanes, '>') | LanesEqual(lanes, '<');
        if (candidates != 0) {
            const auto length = static_cast<std::size_t>(std::countr_zero(candidates) / 8);
            if (HasHtmlClass(name[length], kEndsTagPart))
                return {name + length, {LowerAsciiLetters(LowBytes(lanes, length)), 0}};
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
    void ReadValue(TagAttribute &attribute, char *first);

    char *at_;
    const char *end_;
    bool afterQuote_ = false; // the part read last was a quoted value
};

} // namespace crv

#endif
