#include "compress/html/tag_reader.h"

#include <cstring>

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

char *FindQuoteOrEnd(char *from, char quote) {
    char *found = std::strchr(from, quote);
    return found != nullptr ? found : from + std::strlen(from);
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
        attribute.valueEnd = FindQuoteOrEnd(first + 1, *first);
        afterQuote_ = *attribute.valueEnd != '\0';
        at_ = afterQuote_ ? attribute.valueEnd + 1 : attribute.valueEnd;
        return;
    }
    attribute.quote = 0;
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
