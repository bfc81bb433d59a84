// The corpus checks' compressors and property sets, and how they read the
// corpus: shared by the digest listing and the scan path comparison.
#ifndef CRV_CORPUS_SETS_H
#define CRV_CORPUS_SETS_H

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "compress/html/html_compressor.h"
#include "compress/script/css_compressor.h"
#include "compress/script/js_compressor.h"

namespace crvtest {

namespace fs = std::filesystem;

using crv::CompressOptions;
using crv::Placement;
using crv::ProgressCursor;

using Compress = void (*)(char *text, const CompressOptions &options, ProgressCursor progress);

inline void RunCss(char *text, const CompressOptions &, ProgressCursor progress) {
    crv::CompressCss(text, Placement::kDocument, progress);
}

inline void RunJavaScript(char *text, const CompressOptions &options, ProgressCursor progress) {
    crv::CompressJavaScript(text, Placement::kDocument, options, progress);
}

inline void RunHtml(char *text, const CompressOptions &options, ProgressCursor progress) {
    crv::CompressHtml(text, options, progress);
}

// The properties a set switches on over those of a new instance.
struct PropertySet {
    const char *name;
    bool deleteComments;
    bool compressScripts;
    bool compressStyles;
    bool hideScripts;
    bool protectEvents;
};

// The sets of the corpus checks, and every property on with scripts hidden;
// "unprotected" also lets event handlers be compressed.
constexpr PropertySet kDefault{"default", false, false, false, false, true};
constexpr PropertySet kContent{"content", true, true, true, false, true};
constexpr PropertySet kAll{"all", true, true, true, true, true};
constexpr PropertySet kUnprotected{"unprotected", true, true, true, true, false};

struct Kind {
    const char *folder;
    Compress compress;
    std::vector<PropertySet> sets;
};

inline const Kind kKinds[] = {
    {"css", RunCss, {kDefault}},
    {"js", RunJavaScript, {kDefault, kAll}},
    {"html", RunHtml, {kDefault, kContent, kAll, kUnprotected}},
};

inline CompressOptions OptionsOf(const PropertySet &set) {
    CompressOptions options;
    options.deleteComments = set.deleteComments;
    options.compressScripts = set.compressScripts;
    options.compressStyles = set.compressStyles;
    options.hideScripts = set.hideScripts;
    options.protectEvents = set.protectEvents;
    return options;
}

inline std::vector<fs::path> SortedFiles(const fs::path &folder) {
    std::vector<fs::path> files;
    if (fs::is_directory(folder))
        for (const auto &entry : fs::directory_iterator(folder))
            if (entry.is_regular_file())
                files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// The text ends at its first zero byte, as it does for every caller.
inline std::string ReadFile(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::string source{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    source.resize(source.find('\0') == std::string::npos ? source.size() : source.find('\0'));
    return source;
}

// Calls visit(kind, set, file, text) for every corpus file of every kind,
// in file-name order, under each property set of its kind, until visit
// returns false. Returns whether it never did.
template <typename Visit>
bool ForEachCorpusCase(const fs::path &corpus, Visit visit) {
    for (const Kind &kind : kKinds)
        for (const fs::path &file : SortedFiles(corpus / kind.folder)) {
            const std::string source = ReadFile(file);
            for (const PropertySet &set : kind.sets)
                if (!visit(kind, set, file, source))
                    return false;
        }
    return true;
}

} // namespace crvtest

#endif
