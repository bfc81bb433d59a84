#include "compress/html/markup_declaration.h"

#include <cstring>

namespace crv {
namespace {

// One past the first ">" at or after from, or the zero byte.
char *PastNextGreaterThan(char *from) {
    char *gt = std::strchr(from, '>');
    return gt != nullptr ? gt + 1 : from + std::strlen(from);
}

// A comment ends at the first ">" behind two dashes; the dashes of its own
// "<!--" count, so "<!-->" is a whole comment.
char *PastCommentEnd(char *lt) {
    char *gt = lt + 4;
    while ((gt = std::strchr(gt, '>')) != nullptr) {
        if (gt[-1] == '-' && gt[-2] == '-')
            return gt + 1;
        ++gt;
    }
    return lt + 4 + std::strlen(lt + 4);
}

bool IsDoctype(const char *afterBang) {
    const char kDoctype[] = "doctype";
    for (const char *c = kDoctype; *c != '\0'; ++c, ++afterBang)
        if ((*afterBang | 0x20) != *c)
            return false;
    return true;
}

} // namespace

MarkupDeclaration ReadMarkupDeclaration(char *lt) {
    char *afterBang = lt + 2;
    if (afterBang[0] == '-' && afterBang[1] == '-') {
        if (afterBang[2] == '[')
            return {PastNextGreaterThan(afterBang), false};
        return {PastCommentEnd(lt), true};
    }
    if (afterBang[0] == '[')
        return {PastNextGreaterThan(afterBang), false};
    return {PastNextGreaterThan(afterBang), !IsDoctype(afterBang)};
}

} // namespace crv
