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

} // namespace crvtest

#endif
