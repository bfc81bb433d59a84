// Compresses every file of a folder of scripts into another folder, as the
// worker would: '>' in front of the text, comment removal on, hideScripts
// off. Usage: js_corpus_compress INPUT_FOLDER OUTPUT_FOLDER. A missing input
// folder is not an error: the check is skipped (exit code 77).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "compress/script/js_compressor.h"

namespace {

constexpr int kSkipped = 77;

std::vector<char> ReadWithRoomAround(const std::filesystem::path &path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<char> buffer{'>'};
    buffer.insert(buffer.end(), std::istreambuf_iterator<char>(file),
                  std::istreambuf_iterator<char>());
    buffer.push_back('\0');
    return buffer;
}

bool CompressFile(const std::filesystem::path &input, const std::filesystem::path &output) {
    std::vector<char> buffer = ReadWithRoomAround(input);
    char *cursor = nullptr;
    CompressJavaScript(buffer.data() + 1, 1, &cursor, nullptr);
    std::ofstream file(output, std::ios::binary);
    file.write(buffer.data() + 1, cursor - (buffer.data() + 1));
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
        std::printf("no script corpus at %s: check skipped\n", inputs.c_str());
        return kSkipped;
    }
    std::filesystem::create_directories(outputs);
    int count = 0;
    for (const auto &entry : std::filesystem::directory_iterator(inputs)) {
        if (!entry.is_regular_file())
            continue;
        if (!CompressFile(entry.path(), outputs / entry.path().filename())) {
            std::fprintf(stderr, "cannot write the output of %s\n", entry.path().c_str());
            return 1;
        }
        ++count;
    }
    std::printf("compressed %d scripts into %s\n", count, outputs.c_str());
    return 0;
}
