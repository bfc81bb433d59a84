// Prints one line per corpus file and property set: the set, the file, the
// output length and a 64-bit FNV-1a digest of the output. Two builds whose
// listings are equal give byte-identical outputs; scripts/compare-outputs.sh
// diffs them. Usage: corpus_digests CORPUS (the folders css, js and html).
// A file whose compressor writes outside its text is reported as "OUTSIDE".
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "compress/html/html_compressor.h"
#include "compress/script/css_compressor.h"
#include "compress/script/js_compressor.h"
#include "tests/support/guarded_buffer.h"

namespace {

namespace fs = std::filesystem;

using crv::CompressOptions;
using crv::Placement;
using crv::ProgressCursor;

using Compress = void (*)(char *text, const CompressOptions &options, ProgressCursor progress);

void RunCss(char *text, const CompressOptions &, ProgressCursor progress) {
    crv::CompressCss(text, Placement::kDocument, progress);
}

void RunJavaScript(char *text, const CompressOptions &options, ProgressCursor progress) {
    crv::CompressJavaScript(text, Placement::kDocument, options, progress);
}

void RunHtml(char *text, const CompressOptions &options, ProgressCursor progress) {
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

const Kind kKinds[] = {
    {"css", RunCss, {kDefault}},
    {"js", RunJavaScript, {kDefault, kAll}},
    {"html", RunHtml, {kDefault, kContent, kAll, kUnprotected}},
};

CompressOptions OptionsOf(const PropertySet &set) {
    CompressOptions options;
    options.deleteComments = set.deleteComments;
    options.compressScripts = set.compressScripts;
    options.compressStyles = set.compressStyles;
    options.hideScripts = set.hideScripts;
    options.protectEvents = set.protectEvents;
    return options;
}

std::uint64_t Fnv1a(const char *begin, const char *end) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const char *at = begin; at != end; ++at) {
        hash ^= static_cast<unsigned char>(*at);
        hash *= 0x100000001b3u;
    }
    return hash;
}

// The worker's buffer, with '>' before the text. Prints the file's line.
void PrintDigest(const std::string &source, const Kind &kind, const CompressOptions &options,
                 const char *setName, const std::string &name) {
    crvtest::GuardedBuffer buffer(source, '>');
    const char *cursor = buffer.Run([&](char *text, ProgressCursor progress) {
        kind.compress(text, options, progress);
    });
    if (!buffer.Holds(cursor) || !buffer.FrameIntact()) {
        std::printf("%s %s/%s OUTSIDE\n", setName, kind.folder, name.c_str());
        return;
    }
    const char *text = buffer.Text();
    std::printf("%s %s/%s %td %016llx\n", setName, kind.folder, name.c_str(), cursor - text,
                static_cast<unsigned long long>(Fnv1a(text, cursor)));
}

std::vector<fs::path> SortedFiles(const fs::path &folder) {
    std::vector<fs::path> files;
    if (fs::is_directory(folder))
        for (const auto &entry : fs::directory_iterator(folder))
            if (entry.is_regular_file())
                files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::string ReadFile(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS\n", argv[0]);
        return 2;
    }
    const fs::path corpus = argv[1];
    for (const Kind &kind : kKinds)
        for (const fs::path &file : SortedFiles(corpus / kind.folder)) {
            // The text ends at its first zero byte, as it does for every caller.
            std::string source = ReadFile(file);
            source.resize(std::strlen(source.c_str()));
            for (const PropertySet &set : kind.sets)
                PrintDigest(source, kind, OptionsOf(set), set.name, file.filename().string());
        }
    return 0;
}
