#include "compress/html/attribute_value.h"

#include "compress/html/html_char.h"
#include "compress/html/html_vocabulary.h"
#include "compress/script/css_compressor.h"
#include "compress/script/js_compressor.h"

namespace crv {
namespace {

constexpr NameKey kStyleKey = MakeNameKey("style");

} // namespace

// Any name that begins with "on", however long, is an event handler.
ValueKind ValueKindOf(std::string_view name, NameKey key, std::uint8_t lists) {
    if ((lists & kTextAttribute) != 0)
        return ValueKind::kText;
    if (name.size() >= 2 && LowerAsciiLetter(name[0]) == 'o' && LowerAsciiLetter(name[1]) == 'n')
        return ValueKind::kScript;
    if (key == kStyleKey)
        return ValueKind::kStyle;
    return ValueKind::kOther;
}

// Placed in an attribute value, a script keeps its comments, reads "<" as
// ordinary text and never gets the old-browser wrapper ("<!--" ... "//-->"),
// which belongs around a script element's content: no switch of the options
// applies. A style value is a list of declarations, not a style sheet:
// "color : red" needs none of the spaces a selector would.
char *CompressQuotedValue(ValueKind kind, char *begin, char *end) {
    if (!CompressesInPlace(kind))
        return end;
    const char quote = *end;
    *end = '\0';
    char *valueEnd = begin;
    if (kind == ValueKind::kScript)
        CompressJavaScript(begin, Placement::kAttributeValue, CompressOptions{},
                           ProgressCursor(valueEnd));
    else
        CompressCssDeclarations(begin, ProgressCursor(valueEnd));
    *end = quote;
    return valueEnd;
}

} // namespace crv
