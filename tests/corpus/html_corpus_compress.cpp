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
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s INPUT_FOLDER OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path inputs = argv[1];
    const std::filesystem::path outputs = argv[2];
    if (!std::filesystem::is_directory(inputs)) {
        std::printf("no HTML corpus at %s: check skipped\n", inputs.c_str());
        return crvtest::kCorpusSkipped;
    }
    for (const PropertySet &set : kPropertySets) {
        crv::CompressOptions options;
        options.compressScripts = set.all;
        options.compressStyles = set.all;
        options.deleteComments = set.all;
        options.hideScripts = set.all;
        const std::filesystem::path folder = outputs / set.folder;
        std::filesystem::create_directories(folder);
        int count = 0;
        for (const auto &entry : std::filesystem::directory_iterator(inputs)) {
            if (!entry.is_regular_file())
                continue;
            auto compress = [&options](char *text, crv::ProgressCursor progress) {
                crv::CompressHtml(text, options, progress);
            };
            if (!crvtest::CompressCorpusFile(entry.path(), folder / entry.path().filename(),
                                             kByteBefore, compress))
                return 1;
            ++count;
        }
        std::printf("compressed %d pages into %s\n", count, folder.c_str());
    }
    return 0;
}
