#include "compress/html/content_type.h"

#include <array>
#include <cstddef>

#include "compress/html/html_char.h"

namespace crv {
namespace {

constexpr std::array<std::string_view, 14> kJavaScriptMimeTypes = {
    "text/javascript",        "application/javascript",   "text/ecmascript",
    "application/ecmascript", "application/x-javascript", "text/x-javascript",
    "text/jscript",           "text/livescript",          "text/javascript1.0",
    "text/javascript1.1",     "text/javascript1.2",       "text/javascript1.3",
    "text/javascript1.4",     "text/javascript1.5"};

bool EqualsIgnoringCase(std::string_view text, std::string_view lowerCase) {
    if (text.size() != lowerCase.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (LowerAsciiLetter(text[i]) != lowerCase[i])
            return false;
    return true;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view lowerCase) {
    return text.size() >= lowerCase.size() &&
           EqualsIgnoringCase(text.substr(0, lowerCase.size()), lowerCase);
}

std::string_view TrimHtmlSpace(std::string_view text) {
    while (!text.empty() && IsHtmlSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsHtmlSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

// "module" is a word of its own, not a MIME type: it takes no parameters.
bool IsJavaScriptType(std::string_view type) {
    type = TrimHtmlSpace(type);
    if (EqualsIgnoringCase(type, "module"))
        return true;
    const std::string_view essence = TrimHtmlSpace(type.substr(0, type.find(';')));
    for (std::string_view mimeType : kJavaScriptMimeTypes)
        if (EqualsIgnoringCase(essence, mimeType))
            return true;
    return false;
}

} // namespace

bool HoldsJavaScript(std::optional<std::string_view> type,
                     std::optional<std::string_view> language) {
    if (type.has_value())
        return type->empty() || IsJavaScriptType(*type);
    return !language.has_value() || StartsWithIgnoringCase(*language, "javascript");
}

bool HoldsCss(std::optional<std::string_view> type) {
    return !type.has_value() || type->empty() || EqualsIgnoringCase(*type, "text/css");
}

} // namespace crv
