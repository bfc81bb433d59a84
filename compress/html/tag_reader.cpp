#include "compress/html/tag_reader.h"

#include "compress/html/attribute_value.h"
#include "compress/html/html_char.h"

namespace crv {
namespace {

bool EndsTagName(char c) { return HasHtmlClass(c, kEndsTagPart); }
bool EndsAttributeName(char c) { return HasHtmlClass(c, kEndsAttributeName); }

char *SkipSpace(char *at) {
    while (IsHtmlSpace(*at))
        ++at;
    return at;
}

// The closing quote of a value from its first byte on, or end; needsQuotes
// tells whether a byte before it keeps the quotes. Most values need none, so
// one scan for those bytes usually finds the closing quote as well.
template <char kQuote>
char *FindValueEnd(char *first, const char *end, bool &needsQuotes) {
    char *stop = FindByte<QuoteKeepers>(first, end);
    needsQuotes = stop == first || (stop != end && *stop != kQuote);
    if (stop != end && *stop != kQuote)
        stop = FindByte<ByteSet<0, kQuote>>(stop, end);
    return stop;
}

} // namespace

char *FindTagNameEnd(char *lt) {
    char *end = lt + 1;
    while (!EndsTagName(*end))
        ++end;
    return end;
}

TagStep TagReader::Next(TagAttribute &attribute) {
    char *at = SkipSpace(at_);
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
    attribute.nameBegin = at;
    // The first character belongs to the name whatever it is ("=", a quote).
    do
        ++at;
    while (!EndsAttributeName(*at));
    attribute.nameEnd = at;
    at_ = at;
    char *equals = SkipSpace(at);
    attribute.hasValue = *equals == '=';
    if (attribute.hasValue)
        ReadValue(attribute, SkipSpace(equals + 1));
    return TagStep::kAttribute;
}

// A quote opens a value only here, right after "=": in a name or inside an
// unquoted value ("title=it's") it is an ordinary character, as in a browser.
void TagReader::ReadValue(TagAttribute &attribute, char *first) {
    if (*first == '"' || *first == '\'') {
        attribute.quote = *first;
        attribute.valueBegin = first + 1;
        attribute.valueEnd = *first == '"'
                                 ? FindValueEnd<'"'>(first + 1, end_, attribute.needsQuotes)
                                 : FindValueEnd<'\''>(first + 1, end_, attribute.needsQuotes);
        afterQuote_ = *attribute.valueEnd != '\0';
        at_ = afterQuote_ ? attribute.valueEnd + 1 : attribute.valueEnd;
        return;
    }
    attribute.quote = 0;
    attribute.needsQuotes = false;
    attribute.valueBegin = first;
    char *end = first;
    while (!EndsTagName(*end))
        ++end;
    attribute.valueEnd = end;
    at_ = end;
}

TagStep TagReader::ReadToEnd() {
    TagAttribute attribute;
    TagStep step;
    do
        step = Next(attribute);
    while (step == TagStep::kAttribute);
    return step;
}

} // namespace crv
