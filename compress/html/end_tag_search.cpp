#include "compress/html/end_tag_search.h"

#include <cstring>

#include "compress/html/html_char.h"

namespace crv {
namespace {

// Whether at starts with name. The zero byte at the end of the text matches
// no character of a name, so the comparison never reads past it.
bool StartsWithName(const char *at, std::string_view name) {
    for (char c : name)
        if (LowerAsciiLetter(*at++) != LowerAsciiLetter(c))
            return false;
    return true;
}

// Browsers take a form feed for white space here too.
bool EndsEndTagName(char c) { return IsHtmlSpace(c) || c == '\f' || c == '/' || c == '>'; }

// Whether lt, a "<", opens "<script" or, when closing, "</script", as a
// whole name.
bool OpensScriptTag(const char *lt, bool closing) {
    const char *name = lt + 1;
    if (closing && *name++ != '/')
        return false;
    return StartsWithName(name, "script") && EndsEndTagName(name[6]);
}

enum class ScriptState { kData, kEscaped, kDoubleEscaped };

} // namespace

// The browsers' script data states, reduced to what moves the end: "<!--"
// escapes, "<script" inside that escapes twice, "</script" undoes the second,
// and two or more dashes before ">" end both.
char *FindScriptEnd(char *from) {
    ScriptState state = ScriptState::kData;
    char *at = from;
    for (;;) {
        char *next = state == ScriptState::kData ? std::strchr(at, '<') : std::strpbrk(at, "<-");
        if (next == nullptr)
            return at + std::strlen(at);
        if (*next == '-') {
            char *dashes = next;
            while (*next == '-')
                ++next;
            if (next - dashes >= 2 && *next == '>')
                state = ScriptState::kData;
            at = next;
            continue;
        }
        if (OpensScriptTag(next, true)) {
            if (state != ScriptState::kDoubleEscaped)
                return next;
            state = ScriptState::kEscaped;
        } else if (state == ScriptState::kData && std::strncmp(next, "<!--", 4) == 0) {
            // Its own dashes count: "<!-->" escapes nothing.
            state = ScriptState::kEscaped;
            at = next + 2;
            continue;
        } else if (state == ScriptState::kEscaped && OpensScriptTag(next, false)) {
            state = ScriptState::kDoubleEscaped;
        }
        at = next + 1;
    }
}

char *FindOwnEndTag(char *from, std::string_view name) {
    for (char *lt = std::strchr(from, '<'); lt != nullptr; lt = std::strchr(lt + 1, '<')) {
        if (lt[1] == '/' && StartsWithName(lt + 2, name) && EndsEndTagName(lt[2 + name.size()]))
            return lt;
    }
    return from + std::strlen(from);
}

} // namespace crv
