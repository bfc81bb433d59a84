#include "compress/html/attribute_value.h"

#include "compress/script/css_compressor.h"
#include "compress/script/js_compressor.h"

namespace crv {

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
