#include "cli/options.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "sdk/crvsdk.h"

namespace crvcli {

const char kUsage[] =
    "Usage: crvcompress [options] FILE...\n"
    "       crvcompress --type TYPE [options] - < in > out\n"
    "Compresses HTML, JavaScript and CSS files in place.\n"
    "\n"
    "  --type html|js|css    the type of every input (default: from the file\n"
    "                        extension: .html .htm, .js, .css)\n"
    "  --delete-comments     remove HTML comments\n"
    "  --no-protect-events   compress event handler attributes too\n"
    "  --compress-scripts    compress the content of script elements\n"
    "  --compress-styles     compress the content of style elements\n"
    "  --hide-scripts        keep old-browser hiding comments around scripts\n"
    "  --help                show this help\n"
    "  --version             show the version\n"
    "\n"
    "A FILE of - reads standard input and writes standard output.\n"
    "Exit status: 0 all done, 1 some input failed, 2 bad usage.\n";

namespace {

struct Flag {
    const char *name;
    std::uint32_t property;
    bool on;
};

constexpr Flag kFlags[] = {
    {"--delete-comments", CRV_PROP_DELETE_COMMENTS, true},
    {"--no-protect-events", CRV_PROP_PROTECT_EVENTS, false},
    {"--compress-scripts", CRV_PROP_COMPRESS_SCRIPTS, true},
    {"--compress-styles", CRV_PROP_COMPRESS_STYLES, true},
    {"--hide-scripts", CRV_PROP_HIDE_SCRIPTS, true},
};

struct TypeName {
    const char *name;
    std::uint32_t dataType;
};

constexpr TypeName kTypes[] = {
    {"js", CRV_DATA_JAVASCRIPT}, {"html", CRV_DATA_HTML}, {"css", CRV_DATA_CSS}};

bool ParseType(const std::string &name, std::uint32_t &dataType) {
    for (const auto &type : kTypes)
        if (name == type.name) {
            dataType = type.dataType;
            return true;
        }
    return false;
}

bool ApplyFlag(const std::string &argument, Options &options) {
    for (const auto &flag : kFlags)
        if (argument == flag.name) {
            (flag.on ? options.setProperties : options.clearProperties) |= flag.property;
            return true;
        }
    return false;
}

} // namespace

bool ParseOptions(int argc, char **argv, Options &options, std::string &error) {
    bool onlyPaths = false;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (onlyPaths || argument == "-" || argument.empty() || argument[0] != '-') {
            options.paths.push_back(argument);
        } else if (argument == "--") {
            onlyPaths = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument == "--type" || argument.starts_with("--type=")) {
            std::string value = argument.size() > 6 ? argument.substr(7)
                                : i + 1 < argc   ? argv[++i]
                                                 : "";
            if (!ParseType(value, options.dataType)) {
                error = "--type takes html, js or css, not '" + value + "'";
                return false;
            }
        } else if (!ApplyFlag(argument, options)) {
            error = "unknown option '" + argument + "'";
            return false;
        }
    }
    if (options.paths.empty() && !options.help && !options.version) {
        error = "no input named (use - for standard input)";
        return false;
    }
    return true;
}

std::uint32_t DataTypeOfPath(const std::string &path) {
    auto dot = path.find_last_of("./");
    if (dot == std::string::npos || path[dot] != '.')
        return 0;
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "html" || extension == "htm")
        return CRV_DATA_HTML;
    if (extension == "js")
        return CRV_DATA_JAVASCRIPT;
    if (extension == "css")
        return CRV_DATA_CSS;
    return 0;
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
