#include "compress/html/tag_reader.h"

#include "compress/html/html_char.h"

namespace crv {
namespace {

bool EndsTagName(char c) { return HasHtmlClass(c, kEndsTagPart); }

} // namespace

char *FindTagNameEnd(char *lt) {
    char *end = lt + 1;
    while (!EndsTagName(*end))
        ++end;
    return end;
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
