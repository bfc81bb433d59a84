#include "cli/options.h"

#include <algorithm>
#include <iterator>

#include "cli/data_types.h"
#include "sdk/crvsdk.h"

namespace crvcli {

namespace {

enum class Key { Help, Version, Recursive, DryRun, Quiet, Verbose, Type, Ext, Output, Jobs };

struct OptionEntry {
    char shortName; // 0: long form only
    const char *longName;
    Key key;
    bool takesValue;
};

constexpr OptionEntry kOptionTable[] = {
    {'h', "help", Key::Help, false},
    {0, "version", Key::Version, false},
    {'r', "recursive", Key::Recursive, false},
    {'n', "dry-run", Key::DryRun, false},
    {'q', "quiet", Key::Quiet, false},
    {'v', "verbose", Key::Verbose, false},
    {0, "type", Key::Type, true},
    {0, "ext", Key::Ext, true},
    {'o', "output", Key::Output, true},
    {'j', "jobs", Key::Jobs, true},
};

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

constexpr unsigned kMaxJobs = 1024;

bool ApplyFlag(const std::string &argument, Options &options) {
    for (const auto &flag : kFlags)
        if (argument == flag.name) {
            (flag.on ? options.setProperties : options.clearProperties) |= flag.property;
            return true;
        }
    return false;
}

bool ParseJobs(const std::string &value, unsigned &jobs) {
    if (value.empty() ||
        !std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    // Leading zeros say nothing: 00001 is 1.
    std::string digits = value.substr(std::min(value.find_first_not_of('0'), value.size()));
    if (digits.empty() || digits.size() > 4)
        return false;
    jobs = static_cast<unsigned>(std::stoul(digits));
    return jobs >= 1 && jobs <= kMaxJobs;
}

// Splits a comma-separated list of extensions; leading dots are dropped.
bool ParseExtensions(const std::string &list, std::vector<std::string> &extensions) {
    extensions.clear();
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t comma = std::min(list.find(',', start), list.size());
        std::string extension = LowerCase(list.substr(start, comma - start));
        extension.erase(0, extension.find_first_not_of('.'));
        if (extension.empty() || extension.find_first_of("/\\") != std::string::npos)
            return false;
        extensions.push_back(extension);
        start = comma + 1;
    }
    return true;
}

// Stores an option's effect; false with the reason when its value is wrong.
bool Apply(Key key, const std::string &value, Options &options, std::string &error) {
    switch (key) {
    case Key::Help:
        options.help = true;
        break;
    case Key::Version:
        options.version = true;
        break;
    case Key::Recursive:
        options.recursive = true;
        break;
    case Key::DryRun:
        options.dryRun = true;
        break;
    case Key::Quiet:
        options.quiet = true;
        break;
    case Key::Verbose:
        options.verbose = true;
        break;
    case Key::Type:
        options.dataType = DataTypeOfName(value);
        if (!options.dataType)
            error = "--type takes html, js or css, not '" + value + "'";
        break;
    case Key::Ext:
        options.extensionsGiven = true;
        if (!ParseExtensions(value, options.extensions))
            error = "--ext takes extensions separated by commas, not '" + value + "'";
        break;
    case Key::Output:
        options.outputDir = value;
        if (value.empty())
            error = "--output takes a folder";
        break;
    case Key::Jobs:
        if (!ParseJobs(value, options.jobs))
            error = "--jobs takes a number from 1 to " + std::to_string(kMaxJobs) + ", not '" +
                    value + "'";
        break;
    }
    return error.empty();
}

const OptionEntry *FindLong(const std::string &name) {
    auto found = std::find_if(std::begin(kOptionTable), std::end(kOptionTable),
                              [&](const OptionEntry &entry) { return name == entry.longName; });
    return found == std::end(kOptionTable) ? nullptr : found;
}

const OptionEntry *FindShort(char name) {
    auto found = std::find_if(std::begin(kOptionTable), std::end(kOptionTable),
                              [&](const OptionEntry &entry) { return name == entry.shortName; });
    return found == std::end(kOptionTable) ? nullptr : found;
}

// The command line, walked one argument at a time.
struct Arguments {
    int argc;
    char **argv;
    int next = 1;

    bool TakeValue(std::string &value) {
        if (next >= argc)
            return false;
        value = argv[next++];
        return true;
    }
};

// --name, --name=value or --name value.
bool ParseLong(const std::string &argument, Arguments &arguments, Options &options,
               std::string &error) {
    std::size_t equals = argument.find('=');
    std::string name = argument.substr(2, equals == std::string::npos ? equals : equals - 2);
    const OptionEntry *entry = FindLong(name);
    if (!entry) {
        error = "unknown option '" + argument + "'";
        return false;
    }
    std::string value;
    if (equals != std::string::npos)
        value = argument.substr(equals + 1);
    if (entry->takesValue && equals == std::string::npos && !arguments.TakeValue(value)) {
        error = "option --" + name + " needs a value";
        return false;
    }
    if (!entry->takesValue && equals != std::string::npos) {
        error = "option --" + name + " takes no value";
        return false;
    }
    return Apply(entry->key, value, options, error);
}

// -abc (letters without values), -jN, -j N, -oDIR or -o DIR.
bool ParseShort(const std::string &argument, Arguments &arguments, Options &options,
                std::string &error) {
    for (std::size_t i = 1; i < argument.size(); ++i) {
        const OptionEntry *entry = FindShort(argument[i]);
        if (!entry) {
            error = "unknown option '-" + argument.substr(i, 1) + "'";
            return false;
        }
        std::string value = argument.substr(i + 1);
        if (!entry->takesValue) {
            if (!Apply(entry->key, "", options, error))
                return false;
            continue;
        }
        if (value.empty() && !arguments.TakeValue(value)) {
            error = "option -" + argument.substr(i, 1) + " needs a value";
            return false;
        }
        return Apply(entry->key, value, options, error);
    }
    return true;
}

bool ParseArgument(const std::string &argument, Arguments &arguments, Options &options,
                   std::string &error) {
    if (argument == "-" || argument.empty() || argument[0] != '-') {
        options.paths.push_back(argument);
        return true;
    }
    if (ApplyFlag(argument, options))
        return true;
    if (argument.starts_with("--"))
        return ParseLong(argument, arguments, options, error);
    return ParseShort(argument, arguments, options, error);
}

// The reason the options do not fit together, or empty.
std::string Conflict(const Options &options) {
    if (options.help || options.version)
        return "";
    if (options.paths.empty())
        return "no input named (use - for standard input)";
    auto stdinCount = std::count(options.paths.begin(), options.paths.end(), "-");
    if (stdinCount > 1)
        return "standard input (-) can be named only once";
    if (stdinCount && !options.dataType)
        return "standard input (-) needs --type";
    if (stdinCount && !options.outputDir.empty())
        return "standard input (-) goes to standard output; it cannot go with --output";
    if (options.quiet && options.verbose)
        return "--quiet and --verbose exclude each other";
    for (const std::string &extension : options.extensions)
        if (!options.dataType && !DataTypeOfExtension(extension))
            return "--ext: '" + extension + "' has no known type; give it with --type";
    return "";
}

} // namespace

bool ParseOptions(int argc, char **argv, Options &options, std::string &error) {
    Arguments arguments{argc, argv};
    bool onlyPaths = false;
    while (arguments.next < argc) {
        std::string argument = argv[arguments.next++];
        if (onlyPaths)
            options.paths.push_back(argument);
        else if (argument == "--")
            onlyPaths = true;
        else if (!ParseArgument(argument, arguments, options, error))
            return false;
    }
    if (!options.extensionsGiven)
        options.extensions = ExtensionsOf(options.dataType);
    error = Conflict(options);
    return error.empty();
}

} // namespace crvcli
