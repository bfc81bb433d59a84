// Compresses every file of a folder of style sheets into another folder, as
// the worker would: ">" in front of the text, comment removal on.
// Usage: css_corpus_compress INPUT_FOLDER OUTPUT_FOLDER. A missing input
// folder is not an error: the check is skipped (exit code 77).
#include <cstdio>
#include <filesystem>

#include "compress/script/css_compressor.h"
#include "tests/corpus/corpus_file.h"

int main(int argc, char **argv) {
    std::filesystem::path inputs, outputs;
    if (int stop = crvtest::ReadDriverArguments(argc, argv, "style sheet", inputs, outputs))
        return stop;
    auto compress = [](char *text, crv::ProgressCursor progress) {
        crv::CompressCss(text, crv::Placement::kDocument, progress);
    };
    int count = crvtest::CompressCorpusFolder(inputs, outputs, '>', compress);
    if (count < 0)
        return 1;
    std::printf("compressed %d style sheets into %s\n", count, outputs.c_str());
    return 0;
}
