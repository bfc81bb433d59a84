#include "compress/html/element_content.h"

#include <cstdint>
#include <cstring>
#include <string_view>

#include "compress/html/end_tag_search.h"
#include "compress/html/html_output.h"
#include "compress/script/css_compressor.h"
#include "compress/script/js_compressor.h"
#include "sdk/instance.h"

namespace crv {
namespace {

constexpr NameKey kScript = MakeNameKey("script");
constexpr NameKey kStyle = MakeNameKey("style");
constexpr NameKey kTextarea = MakeNameKey("textarea");
constexpr NameKey kPlaintext = MakeNameKey("plaintext");

using Compressor = void (*)(char *text, std::uint8_t removeComments, char **cursorOut,
                            const CompressorInstance *instance);

// Script or style content up to its end tag (or the end of the document);
// compressed when a compressor is given, else copied as it is. The end tag's
// "<" stands in for the terminator during the call.
char *WriteRawText(std::string_view endTagName, char *from, char *&out, Compressor compressor,
                   const CompressorInstance &instance) {
    char *close = FindRawTextEnd(from, endTagName);
    char *end = close;
    if (compressor != nullptr) {
        const char saved = *close;
        *close = '\0';
        compressor(from, 1, &end, &instance);
        *close = saved;
    }
    out = AppendBytes(from, end, out);
    return close;
}

} // namespace

char *WriteElementContent(NameKey name, char *from, char *&out,
                          const CompressorInstance &instance) {
    if (name == kScript)
        return WriteRawText("script", from, out,
                            instance.compressScripts != 0 ? CompressJavaScript : nullptr, instance);
    if (name == kStyle)
        return WriteRawText("style", from, out,
                            instance.compressStyles != 0 ? CompressCss : nullptr, instance);
    // A textarea's text is the value of its form field: every space counts.
    if (name == kTextarea) {
        char *close = FindOwnEndTag(from, "textarea");
        out = AppendBytes(from, close, out);
        return close;
    }
    if (name == kPlaintext) {
        char *end = from + std::strlen(from);
        out = AppendBytes(from, end, out);
        return end;
    }
    return from;
}

} // namespace crv
