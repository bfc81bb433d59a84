// Reads a tag part by part: its name, then each attribute, then how it ends.
// The scan that looks for the tag's end and the rewrite that shortens it use
// this one reading, so they always agree on where a value starts and stops.
#ifndef CRV_TAG_READER_H
#define CRV_TAG_READER_H

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
