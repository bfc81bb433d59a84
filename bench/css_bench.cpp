// Throughput of CompressCss over a folder of style sheets, with memcpy of the
// same bytes in the same run for scale.
//
//   css_bench [folder [rounds]]
//
// The folder defaults to ../shared/corpus/css; without rounds the run lasts
// about two seconds. Both the mean over all rounds and the fastest round are
// shown: the fastest is the one least disturbed by other work on the machine.
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
        if (!bytes.empty())
            sheets.push_back({bytes, std::vector<char>(bytes.size() + 2)});
    }
    return sheets;
}

struct Timing {
    double compressSeconds = 0;
    double copySeconds = 0;
};

double Seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// Compresses one sheet and returns the output length; the copy into the work
// buffer is not timed.
std::size_t CompressOnce(Sheet &sheet, Timing &timing) {
    char *text = sheet.work.data() + 1;
    sheet.work[0] = '>';
    std::memcpy(text, sheet.source.data(), sheet.source.size());
    text[sheet.source.size()] = '\0';
    char *cursor = nullptr;
    auto start = Clock::now();
    CompressCss(text, 1, &cursor, nullptr);
    timing.compressSeconds += Seconds(start);
    return static_cast<std::size_t>(cursor - text);
}

void CopyOnce(Sheet &sheet, Timing &timing) {
    auto start = Clock::now();
    std::memcpy(sheet.work.data() + 1, sheet.source.data(), sheet.source.size());
    timing.copySeconds += Seconds(start);
}

std::vector<Timing> RunRounds(std::vector<Sheet> &sheets, long rounds) {
    std::vector<Timing> timings(static_cast<std::size_t>(rounds));
    for (Timing &timing : timings)
        for (Sheet &sheet : sheets) {
            CompressOnce(sheet, timing);
            CopyOnce(sheet, timing);
        }
    return timings;
}

// Enough rounds for about two seconds, judged from one round.
long RoundsForTwoSeconds(std::vector<Sheet> &sheets) {
    Timing once = RunRounds(sheets, 1).front();
    double seconds = once.compressSeconds + once.copySeconds;
    return std::max(1L, static_cast<long>(2.0 / std::max(seconds, 1e-6)));
}

void ReportSizes(std::vector<Sheet> &sheets) {
    std::size_t input = 0;
    std::size_t output = 0;
    Timing unused;
    for (Sheet &sheet : sheets) {
        input += sheet.source.size();
        output += CompressOnce(sheet, unused);
    }
    std::printf("files           %zu\n", sheets.size());
    std::printf("input bytes     %zu\n", input);
    std::printf("output bytes    %zu (%.1f%% of the input)\n", output,
                100.0 * static_cast<double>(output) / static_cast<double>(input));
}

void ReportSpeed(const std::vector<Timing> &timings, double megabytesPerRound) {
    Timing total;
    Timing best{1e300, 1e300};
    for (const Timing &timing : timings) {
        total.compressSeconds += timing.compressSeconds;
        total.copySeconds += timing.copySeconds;
        best.compressSeconds = std::min(best.compressSeconds, timing.compressSeconds);
        best.copySeconds = std::min(best.copySeconds, timing.copySeconds);
    }
    double rounds = static_cast<double>(timings.size());
    std::printf("rounds          %zu\n", timings.size());
    std::printf("CompressCss     %.0f MB/s mean, %.0f MB/s fastest round\n",
                megabytesPerRound * rounds / total.compressSeconds,
                megabytesPerRound / best.compressSeconds);
    std::printf("memcpy          %.0f MB/s mean, %.0f MB/s fastest round\n",
                megabytesPerRound * rounds / total.copySeconds,
                megabytesPerRound / best.copySeconds);
}

} // namespace

int main(int argc, char **argv) {
    std::filesystem::path folder = argc > 1 ? argv[1] : "../shared/corpus/css";
    if (!std::filesystem::is_directory(folder)) {
        std::printf("no style sheets to measure: %s is not a folder\n", folder.string().c_str());
        return 0;
    }
    std::vector<Sheet> sheets = LoadSheets(folder);
    if (sheets.empty()) {
        std::printf("no style sheets to measure in %s\n", folder.string().c_str());
        return 0;
    }
    double megabytes = 0;
    for (const Sheet &sheet : sheets)
        megabytes += static_cast<double>(sheet.source.size()) / 1e6;
    ReportSizes(sheets);
    long rounds = std::max(1L, argc > 2 ? std::atol(argv[2]) : RoundsForTwoSeconds(sheets));
    ReportSpeed(RunRounds(sheets, rounds), megabytes);
    return 0;
}
