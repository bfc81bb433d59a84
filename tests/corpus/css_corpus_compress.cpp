// Compresses every file of a folder of style sheets into another folder, as
// the worker would: ">" in front of the text, comment removal on.
// Usage: css_corpus_compress INPUT_FOLDER OUTPUT_FOLDER. A missing input
// folder is not an error: the check is skipped (exit code 77).
#include <cstdio>
#include <filesystem>

#include "compress/script/css_compressor.h"
#include "tests/corpus/corpus_file.h"

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s INPUT_FOLDER OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path inputs = argv[1];
    const std::filesystem::path outputs = argv[2];
    if (!std::filesystem::is_directory(inputs)) {
        std::printf("no style sheet corpus at %s: check skipped\n", inputs.c_str());
        return crvtest::kCorpusSkipped;
    }
    std::filesystem::create_directories(outputs);
    int count = 0;
    for (const auto &entry : std::filesystem::directory_iterator(inputs)) {
        if (!entry.is_regular_file())
            continue;
        auto compress = [](char *text, crv::ProgressCursor progress) {
            crv::CompressCss(text, crv::Placement::kDocument, progress);
        };
        if (!crvtest::CompressCorpusFile(entry.path(), outputs / entry.path().filename(), '>',
                                         compress))
            return 1;
        ++count;
    }
    std::printf("compressed %d style sheets into %s\n", count, outputs.c_str());
    return 0;
}
