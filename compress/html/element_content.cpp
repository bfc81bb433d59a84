#include "compress/html/element_content.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "compress/html/content_type.h"
#include "compress/html/end_tag_search.h"
#include "compress/html/html_output.h"
#include "compress/html/tag_reader.h"
#include "compress/script/css_compressor.h"
#include "compress/script/js_compressor.h"

namespace crv {
namespace {

constexpr NameKey kScript = MakeNameKey("script");
constexpr NameKey kStyle = MakeNameKey("style");
constexpr NameKey kTextarea = MakeNameKey("textarea");
constexpr NameKey kTitle = MakeNameKey("title");
constexpr NameKey kPlaintext = MakeNameKey("plaintext");
constexpr NameKey kType = MakeNameKey("type");
constexpr NameKey kLanguage = MakeNameKey("language");

// The values of the first type and language attributes, as a browser takes
// the first of two alike. A name alone gives an empty value.
struct TypeAttributes {
    std::optional<std::string_view> type;
    std::optional<std::string_view> language;
};

std::string_view ValueOf(const TagAttribute &attribute) {
    if (!attribute.hasValue)
        return {};
    return {attribute.valueBegin,
            static_cast<std::size_t>(attribute.valueEnd - attribute.valueBegin)};
}

TypeAttributes ReadTypeAttributes(char *nameEnd, const char *end) {
    TypeAttributes found;
    TagReader reader(nameEnd, end);
    TagAttribute attribute{};
    while (reader.Next(attribute) == TagStep::kAttribute) {
        const NameKey key = attribute.key;
        std::optional<std::string_view> *slot = key == kType       ? &found.type
                                                : key == kLanguage ? &found.language
                                                                   : nullptr;
        if (slot != nullptr && !slot->has_value())
            *slot = ValueOf(attribute);
    }
    return found;
}

// Whether content of this kind is compressed, as the options ask.
bool Compresses(ElementContent content, const CompressOptions &options) {
    return (content == ElementContent::kJavaScript && options.compressScripts) ||
           (content == ElementContent::kCss && options.compressStyles);
}

// The content's own compressor, placed in the document; writes the end of its
// output into end.
void CompressContent(ElementContent content, char *from, const CompressOptions &options,
                     char *&end) {
    if (content == ElementContent::kJavaScript)
        CompressJavaScript(from, Placement::kDocument, options, ProgressCursor(end));
    else
        CompressCss(from, Placement::kDocument, ProgressCursor(end));
}

} // namespace

// A browser ends the name at a "/" and ignores the slash of a start tag, so
// "<title/>" opens a title that runs to "</title>".
ElementContent ReadContentOf(NameKey key, const char *nameBegin, char *nameEnd,
                             const char *end) {
    const char *slashes = nameEnd;
    while (slashes != nameBegin && slashes[-1] == '/')
        --slashes;
    const NameKey name = slashes == nameEnd ? key : MakeNameKey(nameBegin, slashes, end);
    if (name == kScript) {
        const TypeAttributes attributes = ReadTypeAttributes(nameEnd, end);
        return HoldsJavaScript(attributes.type, attributes.language) ? ElementContent::kJavaScript
                                                                     : ElementContent::kScriptData;
    }
    if (name == kStyle)
        return HoldsCss(ReadTypeAttributes(nameEnd, end).type) ? ElementContent::kCss
                                                          : ElementContent::kStyleData;
    if (name == kTextarea)
        return ElementContent::kTextarea;
    if (name == kTitle)
        return ElementContent::kTitle;
    if (name == kPlaintext)
        return ElementContent::kPlaintext;
    return ElementContent::kMarkup;
}

char *FindContentEnd(ElementContent content, char *from) {
    switch (content) {
    case ElementContent::kJavaScript:
    case ElementContent::kScriptData:
        return FindScriptEnd(from);
    case ElementContent::kCss:
    case ElementContent::kStyleData:
        return FindOwnEndTag(from, "style");
    case ElementContent::kTextarea:
        return FindOwnEndTag(from, "textarea");
    case ElementContent::kTitle:
        return FindOwnEndTag(from, "title");
    case ElementContent::kPlaintext:
        return from + std::strlen(from);
    case ElementContent::kMarkup:
        break;
    }
    return from;
}

// The end tag's "<" stands in for the terminator while a compressor runs.
// Script content that holds "</script" is one script only while "<!--" in
// front escapes it, and the script compressor may take that line away, so
// such content is copied as it is.
void WriteElementContent(ElementContent content, char *from, char *close, char *&out,
                         const CompressOptions &options) {
    char *end = close;
    bool compress = Compresses(content, options);
    if (content == ElementContent::kJavaScript && FindOwnEndTag(from, "script") != close)
        compress = false;
    if (compress) {
        const char saved = *close;
        *close = '\0';
        CompressContent(content, from, options, end);
        *close = saved;
    }
    out = AppendBytes(from, end, out);
}

} // namespace crv
