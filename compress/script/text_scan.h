// Scanning steps that the script and style compressors take alike: publishing
// the output cursor, skipping white space and comments, copying a quoted
// literal, and the test that keeps two folded literals from spelling the end
// tag of their element.
#ifndef CRV_TEXT_SCAN_H
#define CRV_TEXT_SCAN_H

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

#include "compress/progress_cursor.h"
#include "compress/script/char_class.h"

namespace crv {

constexpr bool IsLineBreak(char c) { return c == '\n' || c == '\r'; }

inline const char *SkipWhiteSpace(const char *s) {
    while (IsWhiteSpace(*s))
        ++s;
    return s;
}

// Copies the body of a literal from in to behind out, up to the quote that
// ends it: one not escaped by an odd number of backslashes. Stops on that
// quote, which is left unread and unwritten, or on the zero byte; returns
// whether the quote was found. The cursor is published once, at the end: no
// other thread can tell that from a store per character.
inline bool CopyQuotedBody(const char *&in, char *&out, ProgressCursor progress, char quote) {
    const char *from = in;
    char *to = out;
    bool escaped = false;
    while (*from != '\0' && (escaped || *from != quote)) {
        escaped = !escaped && *from == '\\';
        *++to = *from++;
    }
    in = from;
    out = to;
    progress.Publish(to);
    return *from == quote;
}

// The quote that would end a literal whose body starts at body, or the zero
// byte where the text ends first.
inline const char *FindClosingQuote(const char *body, char quote) {
    bool escaped = false;
    while (*body != '\0' && (escaped || *body != quote)) {
        escaped = !escaped && *body == '\\';
        ++body;
    }
    return body;
}

// Whether joining two literals would spell endTag (lower case, "</script" or
// "</style") across the join, which would end the element in the page early.
// The window is the output in front of the first literal's closing quote and
// the start of the second literal's body; output starts at outputStart.
template <std::size_t N>
bool JoinSpellsEndTag(const char *outputStart, const char *closingQuote, const char *nextBody,
                      const char (&endTag)[N]) {
    const std::string_view tag(endTag, N - 1);
    constexpr std::ptrdiff_t kReach = N - 2;
    char window[2 * kReach];
    std::size_t length = 0;
    const char *before = closingQuote - std::min(kReach, closingQuote - outputStart);
    for (const char *s = before; s < closingQuote; ++s)
        window[length++] = LowerAsciiLetter(*s);
    for (std::ptrdiff_t i = 0; i < kReach && nextBody[i] != '\0'; ++i)
        window[length++] = LowerAsciiLetter(nextBody[i]);
    for (std::size_t start = 0; start + tag.size() <= length; ++start)
        if (std::string_view(window + start, tag.size()) == tag)
            return true;
    return false;
}

// slash is the "/" of "/*". The character right after "/*" never closes the
// comment, so "/*/" stays open. Returns the position past the closing "/",
// or the zero byte of an unclosed comment.
inline const char *SkipBlockComment(const char *slash) {
    const char *in = slash + 2;
    if (*in != '\0')
        ++in;
    for (in = std::strchr(in, '/'); in != nullptr; in = std::strchr(in + 1, '/'))
        if (in[-1] == '*')
            return in + 1;
    return slash + std::strlen(slash);
}

// The line break that ends the line at in, or the zero byte; both unread.
inline const char *SkipToLineEnd(const char *in) { return in + std::strcspn(in, "\r\n"); }

} // namespace crv

#endif
