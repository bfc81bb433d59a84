#include "cli/data_types.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "sdk/crvsdk.h"

namespace crvcli {

namespace {

struct Name {
    const char *name;
    std::uint32_t dataType;
};

constexpr Name kTypeNames[] = {
    {"js", CRV_DATA_JAVASCRIPT}, {"html", CRV_DATA_HTML}, {"css", CRV_DATA_CSS}};

constexpr Name kExtensions[] = {
    {"html", CRV_DATA_HTML},       {"htm", CRV_DATA_HTML},        {"xhtml", CRV_DATA_HTML},
    {"shtml", CRV_DATA_HTML},      {"js", CRV_DATA_JAVASCRIPT},   {"mjs", CRV_DATA_JAVASCRIPT},
    {"cjs", CRV_DATA_JAVASCRIPT},  {"css", CRV_DATA_CSS}};

std::uint32_t Find(const Name *begin, const Name *end, const std::string &name) {
    const Name *found =
        std::find_if(begin, end, [&](const Name &entry) { return name == entry.name; });
    return found == end ? 0 : found->dataType;
}

} // namespace

std::uint32_t DataTypeOfName(const std::string &name) {
    return Find(std::begin(kTypeNames), std::end(kTypeNames), name);
}

std::uint32_t DataTypeOfExtension(const std::string &extension) {
    return Find(std::begin(kExtensions), std::end(kExtensions), extension);
}

std::vector<std::string> ExtensionsOf(std::uint32_t dataType) {
    std::vector<std::string> extensions;
    for (const Name &entry : kExtensions)
        if (!dataType || entry.dataType == dataType)
            extensions.push_back(entry.name);
    return extensions;
}

std::string LowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string ExtensionOf(const std::string &path) {
    auto dot = path.find_last_of("./\\");
    if (dot == std::string::npos || path[dot] != '.')
        return "";
    return LowerCase(path.substr(dot + 1));
}

std::uint32_t DataTypeOfPath(const std::string &path) {
    return DataTypeOfExtension(ExtensionOf(path));
}

const char *DataTypeName(std::uint32_t dataType) {
    switch (dataType) {
    case CRV_DATA_JAVASCRIPT:
        return "JavaScript";
    case CRV_DATA_HTML:
        return "HTML";
    default:
        return "CSS";
    }
}

} // namespace crvcli
