// Compresses every corpus file under every property set of the corpus
// checks on each scan path the processor offers, and fails on the first
// file whose outputs differ: the vector scans must only be faster, never
// different. Usage: corpus_scan_paths CORPUS (the folders css, js and html).
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "compress/byte_scan.h"
#include "tests/corpus/corpus_file.h"
#include "tests/corpus/corpus_sets.h"
#include "tests/support/guarded_buffer.h"

namespace {

using namespace crvtest;

// The scan paths this build and processor offer, fastest first.
std::vector<crv::ScanPath> OfferedPaths() {
    std::vector<crv::ScanPath> paths;
    for (auto path : {crv::ScanPath::kAvx2, crv::ScanPath::kSse2, crv::ScanPath::kScalar})
        if (path <= crv::BestScanPath())
            paths.push_back(path);
    return paths;
}

// The output on one path, or nothing when the compressor left its buffer.
std::optional<std::string> Output(crv::ScanPath path, const std::string &source, const Kind &kind,
                                  const CompressOptions &options) {
    crv::UseScanPath(path);
    GuardedBuffer buffer(source, '>');
    const char *cursor = buffer.Run(
        [&](char *text, ProgressCursor progress) { kind.compress(text, options, progress); });
    if (!buffer.Holds(cursor) || !buffer.FrameIntact())
        return std::nullopt;
    return std::string(static_cast<const char *>(buffer.Text()), cursor);
}

// Whether every path gives the first path's output; names the first that
// does not.
bool SameOnEveryPath(const std::vector<crv::ScanPath> &paths, const std::string &source,
                     const Kind &kind, const PropertySet &set, const fs::path &file) {
    const CompressOptions options = OptionsOf(set);
    const auto expected = Output(paths.front(), source, kind, options);
    for (crv::ScanPath path : paths) {
        const auto output = path == paths.front() ? expected : Output(path, source, kind, options);
        if (!output || output != expected) {
            std::fprintf(stderr, "%s: %s scan differs from %s with the %s properties%s\n",
                         file.c_str(), crv::ScanPathName(path), crv::ScanPathName(paths.front()),
                         set.name, output ? "" : " (output outside the text)");
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS\n", argv[0]);
        return 2;
    }
    const fs::path corpus = argv[1];
    if (!fs::is_directory(corpus)) {
        std::printf("no corpus at %s: check skipped\n", corpus.c_str());
        return kCorpusSkipped;
    }
    const std::vector<crv::ScanPath> paths = OfferedPaths();
    int compared = 0;
    const bool same = ForEachCorpusCase(corpus, [&](const Kind &kind, const PropertySet &set,
                                                    const fs::path &file,
                                                    const std::string &source) {
        ++compared;
        return SameOnEveryPath(paths, source, kind, set, file);
    });
    if (!same)
        return 1;
    std::printf("%d outputs the same on", compared);
    for (crv::ScanPath path : paths)
        std::printf(" %s", crv::ScanPathName(path));
    std::printf("\n");
    return compared > 0 ? 0 : 1;
}
