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

bool EndsEndTagName(char c) { return IsHtmlSpace(c) || c == '/' || c == '>'; }

char *FindEndTag(char *from, std::string_view name, bool wholeName) {
    for (char *lt = std::strchr(from, '<'); lt != nullptr; lt = std::strchr(lt + 1, '<')) {
        if (lt[1] == '/' && StartsWithName(lt + 2, name) &&
            (!wholeName || EndsEndTagName(lt[2 + name.size()])))
            return lt;
    }
    return from + std::strlen(from);
}

} // namespace

char *FindRawTextEnd(char *from, std::string_view name) { return FindEndTag(from, name, false); }

char *FindOwnEndTag(char *from, std::string_view name) { return FindEndTag(from, name, true); }

} // namespace crv
