// Compresses every file of a folder of HTML pages into two folders, as the
// worker would, once with the properties of a new instance and once with
// every property on: comments deleted, scripts and styles compressed, scripts
// hidden from old browsers. Checks on the way that no
// output is longer than its page and that the byte before the text is left
// alone. Usage: html_corpus_compress INPUT_FOLDER OUTPUT_FOLDER; the outputs
// go to OUTPUT_FOLDER/default and OUTPUT_FOLDER/all. A missing input folder
// is not an error: the check is skipped (exit code 77).
#include <cstdio>
#include <filesystem>

#include "compress/html/html_compressor.h"
#include "tests/corpus/corpus_file.h"

namespace {

constexpr char kByteBefore = '#';

struct PropertySet {
    const char *folder;
    bool all; // deleteComments, compressScripts, compressStyles and hideScripts
};

constexpr PropertySet kPropertySets[] = {{"default", false}, {"all", true}};

} // namespace

int main(int argc, char **argv) {
    std::filesystem::path inputs, outputs;
    if (int stop = crvtest::ReadDriverArguments(argc, argv, "HTML", inputs, outputs))
        return stop;
    for (const PropertySet &set : kPropertySets) {
        crv::CompressOptions options;
        options.compressScripts = set.all;
        options.compressStyles = set.all;
        options.deleteComments = set.all;
        options.hideScripts = set.all;
        auto compress = [&options](char *text, crv::ProgressCursor progress) {
            crv::CompressHtml(text, options, progress);
        };
        const std::filesystem::path folder = outputs / set.folder;
        int count = crvtest::CompressCorpusFolder(inputs, folder, kByteBefore, compress);
        if (count < 0)
            return 1;
        std::printf("compressed %d pages into %s\n", count, folder.c_str());
    }
    return 0;
}
