// Compresses every file of a folder of HTML pages into two folders, as the
// worker would, once with the properties of a new instance and once with
// scripts, styles and comments compressed too. Checks on the way that no
// output is longer than its page and that the byte before the text is left
// alone. Usage: html_corpus_compress INPUT_FOLDER OUTPUT_FOLDER; the outputs
// go to OUTPUT_FOLDER/default and OUTPUT_FOLDER/all. A missing input folder
// is not an error: the check is skipped (exit code 77).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "compress/html/html_compressor.h"
#include "sdk/instance.h"

namespace {

constexpr int kSkipped = 77;
constexpr char kByteBefore = '#';

struct PropertySet {
    const char *folder;
    bool all; // compressScripts, compressStyles and deleteComments
};

constexpr PropertySet kPropertySets[] = {{"default", false}, {"all", true}};

std::vector<char> ReadWithRoomAround(const std::filesystem::path &path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<char> buffer{kByteBefore};
    buffer.insert(buffer.end(), std::istreambuf_iterator<char>(file),
                  std::istreambuf_iterator<char>());
    buffer.push_back('\0');
    return buffer;
}

// Returns false when the compressor broke its buffer contract.
bool CompressFile(const std::filesystem::path &input, const std::filesystem::path &output,
                  const CompressorInstance &instance) {
    std::vector<char> buffer = ReadWithRoomAround(input);
    char *text = buffer.data() + 1;
    char *end = buffer.data() + buffer.size() - 1;
    char *cursor = nullptr;
    CompressHtml(text, &cursor, &instance);
    if (cursor < text || cursor > end || buffer[0] != kByteBefore || *end != '\0') {
        std::fprintf(stderr, "%s: output outside the page\n", input.c_str());
        return false;
    }
    std::ofstream file(output, std::ios::binary);
    file.write(text, cursor - text);
    return static_cast<bool>(file);
}

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
        return kSkipped;
    }
    for (const PropertySet &set : kPropertySets) {
        CompressorInstance instance;
        instance.compressScripts = set.all ? 1 : 0;
        instance.compressStyles = set.all ? 1 : 0;
        instance.deleteComments = set.all ? 1 : 0;
        const std::filesystem::path folder = outputs / set.folder;
        std::filesystem::create_directories(folder);
        int count = 0;
        for (const auto &entry : std::filesystem::directory_iterator(inputs)) {
            if (!entry.is_regular_file())
                continue;
            if (!CompressFile(entry.path(), folder / entry.path().filename(), instance))
                return 1;
            ++count;
        }
        std::printf("compressed %d pages into %s\n", count, folder.c_str());
    }
    return 0;
}
