// One file of a corpus through a compressor, as the worker runs it: the text
// in a buffer with a byte before it and its terminator, the output written to
// another file. Shared by the corpus drivers of the compressors.
#ifndef CRV_CORPUS_FILE_H
#define CRV_CORPUS_FILE_H

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace crvtest {

// The exit code by which a driver tells ctest that its corpus is absent.
constexpr int kCorpusSkipped = 77;

// compress(text, &cursor) runs the compressor. Returns false, with a line on
// standard error, when the compressor left its buffer or the output cannot be
// written.
template <typename Compressor>
bool CompressCorpusFile(const std::filesystem::path &input, const std::filesystem::path &output,
                        char before, Compressor compress) {
    std::ifstream in(input, std::ios::binary);
    std::vector<char> buffer{before};
    buffer.insert(buffer.end(), std::istreambuf_iterator<char>(in),
                  std::istreambuf_iterator<char>());
    buffer.push_back('\0');
    char *text = buffer.data() + 1;
    char *end = buffer.data() + buffer.size() - 1;
    char *cursor = nullptr;
    compress(text, &cursor);
    if (cursor < text || cursor > end || buffer[0] != before || *end != '\0') {
        std::fprintf(stderr, "%s: output outside the text\n", input.c_str());
        return false;
    }
    std::ofstream out(output, std::ios::binary);
    out.write(text, cursor - text);
    if (!out)
        std::fprintf(stderr, "cannot write the output of %s\n", input.c_str());
    return static_cast<bool>(out);
}

} // namespace crvtest

#endif
