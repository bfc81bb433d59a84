// One file of a corpus through a compressor, as the worker runs it: the text
// in a buffer with a byte before it and its terminator, the output written to
// another file. Shared by the corpus drivers of the compressors.
#ifndef CRV_CORPUS_FILE_H
#define CRV_CORPUS_FILE_H

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/guarded_buffer.h"

namespace crvtest {

// The exit code by which a driver tells ctest that its corpus is absent.
constexpr int kCorpusSkipped = 77;

// compress(text, progress) runs the compressor. Returns false, with a line
// on standard error, when the compressor left its buffer or the output cannot
// be written.
template <typename Compressor>
bool CompressCorpusFile(const std::filesystem::path &input, const std::filesystem::path &output,
                        char before, Compressor compress) {
    std::ifstream in(input, std::ios::binary);
    const std::string source{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    GuardedBuffer buffer(source, before);
    const char *cursor = buffer.Run(compress);
    if (!buffer.Holds(cursor) || !buffer.FrameIntact()) {
        std::fprintf(stderr, "%s: output outside the text\n", input.c_str());
        return false;
    }
    std::ofstream out(output, std::ios::binary);
    out.write(buffer.Text(), cursor - buffer.Text());
    if (!out)
        std::fprintf(stderr, "cannot write the output of %s\n", input.c_str());
    return static_cast<bool>(out);
}

// Every regular file of inputs through compress into a file of the same name
// in outputs; the number done, or -1 after the first failure.
template <typename Compressor>
int CompressCorpusFolder(const std::filesystem::path &inputs,
                         const std::filesystem::path &outputs, char before, Compressor compress) {
    std::filesystem::create_directories(outputs);
    int count = 0;
    for (const auto &entry : std::filesystem::directory_iterator(inputs)) {
        if (!entry.is_regular_file())
            continue;
        if (!CompressCorpusFile(entry.path(), outputs / entry.path().filename(), before, compress))
            return -1;
        ++count;
    }
    return count;
}

// The arguments every driver takes: INPUT_FOLDER OUTPUT_FOLDER. Returns 0 to
// go on, else the exit code: 2 for bad usage, kCorpusSkipped when the corpus
// (named for the message) is absent.
inline int ReadDriverArguments(int argc, char **argv, const char *corpusName,
                               std::filesystem::path &inputs, std::filesystem::path &outputs) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s INPUT_FOLDER OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    inputs = argv[1];
    outputs = argv[2];
    if (!std::filesystem::is_directory(inputs)) {
        std::printf("no %s corpus at %s: check skipped\n", corpusName, inputs.c_str());
        return kCorpusSkipped;
    }
    return 0;
}

} // namespace crvtest

#endif
