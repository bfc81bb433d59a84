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

} // namespace

char *FindOwnEndTag(char *from, std::string_view name) {
    for (char *lt = std::strchr(from, '<'); lt != nullptr; lt = std::strchr(lt + 1, '<')) {
        if (lt[1] == '/' && StartsWithName(lt + 2, name) && EndsEndTagName(lt[2 + name.size()]))
            return lt;
    }
    return from + std::strlen(from);
}

} // namespace crv
