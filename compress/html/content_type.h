// Whether a script or style element holds what its compressor reads. A script
// element may hold a template, JSON or another language, a style element a
// sheet in another notation; browsers leave such content alone, and so must
// the compressors.
#ifndef CRV_CONTENT_TYPE_H
#define CRV_CONTENT_TYPE_H

#include <optional>
#include <string_view>

namespace crv {

// type and language are the values of the start tag's first attributes of
// those names, absent when it has none.
bool HoldsJavaScript(std::optional<std::string_view> type,
                     std::optional<std::string_view> language);

bool HoldsCss(std::optional<std::string_view> type);

} // namespace crv

#endif
