// Prints one line per corpus file and property set: the set, the file, the
// output length and a 64-bit FNV-1a digest of the output. Two builds whose
// listings are equal give byte-identical outputs; scripts/compare-outputs.sh
// diffs them. Usage: corpus_digests CORPUS (the folders css, js and html).
// A file whose compressor writes outside its text is reported as "OUTSIDE".
#include <cstdint>
#include <cstdio>
#include <string>

#include "tests/corpus/corpus_sets.h"
#include "tests/support/guarded_buffer.h"

namespace {

using namespace crvtest;

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

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS\n", argv[0]);
        return 2;
    }
    const fs::path corpus = argv[1];
    ForEachCorpusCase(corpus, [](const Kind &kind, const PropertySet &set, const fs::path &file,
                                 const std::string &source) {
        PrintDigest(source, kind, OptionsOf(set), set.name, file.filename().string());
        return true;
    });
    return 0;
}
