// Throughput of CompressCss over a folder of style sheets, with memcpy of the
// same bytes in the same run for scale.
//
//   css_bench [folder [rounds]]
//
// The folder defaults to ../shared/corpus/css; without rounds the run lasts
// about two seconds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "compress/script/css_compressor.h"

namespace {

using Clock = std::chrono::steady_clock;

// One style sheet, as loaded, and the buffer the compressor works in:
// [byte before the text][text][terminator].
struct Sheet {
    std::string source;
    std::vector<char> work;
};

std::vector<Sheet> LoadSheets(const std::filesystem::path &folder) {
    std::vector<Sheet> sheets;
    for (const auto &entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream file(entry.path(), std::ios::binary);
        std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        bytes.resize(std::strlen(bytes.c_str())); // the compressor stops at a zero byte
        sheets.push_back({bytes, std::vector<char>(bytes.size() + 2)});
    }
    return sheets;
}

struct Totals {
    double compressSeconds = 0;
    double copySeconds = 0;
    std::size_t inputBytes = 0;
    std::size_t outputBytes = 0;
};

double Seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// Compresses one sheet; the copy into the work buffer is not timed.
void CompressOnce(Sheet &sheet, Totals &totals) {
    char *text = sheet.work.data() + 1;
    sheet.work[0] = '>';
    std::memcpy(text, sheet.source.data(), sheet.source.size());
    text[sheet.source.size()] = '\0';
    char *cursor = nullptr;
    auto start = Clock::now();
    CompressCss(text, 1, &cursor, nullptr);
    totals.compressSeconds += Seconds(start);
    totals.inputBytes += sheet.source.size();
    totals.outputBytes += static_cast<std::size_t>(cursor - text);
}

void CopyOnce(Sheet &sheet, Totals &totals) {
    auto start = Clock::now();
    std::memcpy(sheet.work.data() + 1, sheet.source.data(), sheet.source.size());
    totals.copySeconds += Seconds(start);
}

Totals RunRounds(std::vector<Sheet> &sheets, long rounds) {
    Totals totals;
    for (long round = 0; round < rounds; ++round)
        for (Sheet &sheet : sheets) {
            CompressOnce(sheet, totals);
            CopyOnce(sheet, totals);
        }
    return totals;
}

// Enough rounds for about two seconds, judged from one round.
long RoundsForTwoSeconds(std::vector<Sheet> &sheets) {
    auto start = Clock::now();
    RunRounds(sheets, 1);
    return std::max(1L, static_cast<long>(2.0 / std::max(Seconds(start), 1e-6)));
}

void Report(const Totals &totals, std::size_t files, long rounds) {
    double input = static_cast<double>(totals.inputBytes);
    double output = static_cast<double>(totals.outputBytes);
    std::printf("files           %zu, %ld rounds\n", files, rounds);
    std::printf("input bytes     %.0f per round\n", input / static_cast<double>(rounds));
    std::printf("output bytes    %.0f per round (%.1f%% of the input)\n",
                output / static_cast<double>(rounds), 100.0 * output / input);
    std::printf("CompressCss     %.0f MB/s\n", input / 1e6 / totals.compressSeconds);
    std::printf("memcpy          %.0f MB/s\n", input / 1e6 / totals.copySeconds);
}

} // namespace

int main(int argc, char **argv) {
    std::filesystem::path folder = argc > 1 ? argv[1] : "../shared/corpus/css";
    if (!std::filesystem::is_directory(folder)) {
        std::printf("no style sheets to measure: %s is not a folder\n", folder.string().c_str());
        return 0;
    }
    std::vector<Sheet> sheets = LoadSheets(folder);
    if (sheets.empty() || std::all_of(sheets.begin(), sheets.end(),
                                      [](const Sheet &s) { return s.source.empty(); })) {
        std::printf("no style sheets to measure in %s\n", folder.string().c_str());
        return 0;
    }
    long rounds = std::max(1L, argc > 2 ? std::atol(argv[2]) : RoundsForTwoSeconds(sheets));
    Report(RunRounds(sheets, rounds), sheets.size(), rounds);
    return 0;
}
