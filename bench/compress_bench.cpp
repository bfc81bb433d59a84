// Throughput of the three compressors over folders of real documents, with
// memcpy of the same bytes in the same run for scale.
//
//   compress_bench [corpus [rounds]]
//
// corpus (default ../shared/corpus) holds the folders css, js and html; a
// missing folder is passed by. Without rounds each run lasts about two
// seconds. Both the mean over all rounds and the fastest round are shown: the
// fastest is the one least disturbed by other work on the machine.
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

#include "compress/html/html_compressor.h"
#include "compress/script/css_compressor.h"
#include "compress/script/js_compressor.h"
#include "tests/support/guarded_buffer.h"

namespace {

using Clock = std::chrono::steady_clock;

// A compressor as the worker runs it, over the text of one document.
struct Kind {
    const char *folder;
    const char *name;
    void (*compress)(char *text, crv::ProgressCursor progress);
};

// Default options, as a new instance has them.
const crv::CompressOptions kDefaults;

const Kind kKinds[] = {
    {"css", "CompressCss",
     [](char *t, crv::ProgressCursor p) { crv::CompressCss(t, crv::Placement::kDocument, p); }},
    {"js", "CompressJavaScript",
     [](char *t, crv::ProgressCursor p) {
         crv::CompressJavaScript(t, crv::Placement::kDocument, kDefaults, p);
     }},
    {"html", "CompressHtml",
     [](char *t, crv::ProgressCursor p) { crv::CompressHtml(t, kDefaults, p); }},
};

// One style sheet, as loaded, and the buffer the compressor works in.
struct Sheet {
    std::string source;
    crvtest::GuardedBuffer work;
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
            sheets.push_back({bytes, crvtest::GuardedBuffer(bytes, '>')});
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
std::size_t CompressOnce(const Kind &kind, Sheet &sheet, Timing &timing) {
    sheet.work.Refill(sheet.source);
    auto start = Clock::now();
    const char *cursor = sheet.work.Run(kind.compress);
    timing.compressSeconds += Seconds(start);
    return static_cast<std::size_t>(cursor - sheet.work.Text());
}

void CopyOnce(Sheet &sheet, Timing &timing) {
    auto start = Clock::now();
    std::memcpy(sheet.work.Text(), sheet.source.data(), sheet.source.size());
    timing.copySeconds += Seconds(start);
}

std::vector<Timing> RunRounds(const Kind &kind, std::vector<Sheet> &sheets, long rounds) {
    std::vector<Timing> timings(static_cast<std::size_t>(rounds));
    for (Timing &timing : timings)
        for (Sheet &sheet : sheets) {
            CompressOnce(kind, sheet, timing);
            CopyOnce(sheet, timing);
        }
    return timings;
}

// Enough rounds for about two seconds, judged from one round.
long RoundsForTwoSeconds(const Kind &kind, std::vector<Sheet> &sheets) {
    Timing once = RunRounds(kind, sheets, 1).front();
    double seconds = once.compressSeconds + once.copySeconds;
    return std::max(1L, static_cast<long>(2.0 / std::max(seconds, 1e-6)));
}

void ReportSizes(const Kind &kind, std::vector<Sheet> &sheets) {
    std::size_t input = 0;
    std::size_t output = 0;
    Timing unused;
    for (Sheet &sheet : sheets) {
        input += sheet.source.size();
        output += CompressOnce(kind, sheet, unused);
    }
    std::printf("files               %zu\n", sheets.size());
    std::printf("input bytes         %zu\n", input);
    std::printf("output bytes        %zu (%.1f%% of the input)\n", output,
                100.0 * static_cast<double>(output) / static_cast<double>(input));
}

void ReportSpeed(const Kind &kind, const std::vector<Timing> &timings,
                 double megabytesPerRound) {
    Timing total;
    Timing best{1e300, 1e300};
    for (const Timing &timing : timings) {
        total.compressSeconds += timing.compressSeconds;
        total.copySeconds += timing.copySeconds;
        best.compressSeconds = std::min(best.compressSeconds, timing.compressSeconds);
        best.copySeconds = std::min(best.copySeconds, timing.copySeconds);
    }
    double rounds = static_cast<double>(timings.size());
    std::printf("rounds              %zu\n", timings.size());
    std::printf("%-19s %.0f MB/s mean, %.0f MB/s fastest round\n", kind.name,
                megabytesPerRound * rounds / total.compressSeconds,
                megabytesPerRound / best.compressSeconds);
    std::printf("%-19s %.0f MB/s mean, %.0f MB/s fastest round\n",
                "memcpy", megabytesPerRound * rounds / total.copySeconds,
                megabytesPerRound / best.copySeconds);
}

void Measure(const Kind &kind, const std::filesystem::path &folder, long rounds) {
    std::printf("== %s\n", folder.string().c_str());
    std::vector<Sheet> sheets;
    if (std::filesystem::is_directory(folder))
        sheets = LoadSheets(folder);
    if (sheets.empty()) {
        std::printf("nothing to measure\n");
        return;
    }
    double megabytes = 0;
    for (const Sheet &sheet : sheets)
        megabytes += static_cast<double>(sheet.source.size()) / 1e6;
    ReportSizes(kind, sheets);
    if (rounds <= 0)
        rounds = RoundsForTwoSeconds(kind, sheets);
    ReportSpeed(kind, RunRounds(kind, sheets, rounds), megabytes);
}

} // namespace

int main(int argc, char **argv) {
    std::filesystem::path corpus = argc > 1 ? argv[1] : "../shared/corpus";
    long rounds = argc > 2 ? std::atol(argv[2]) : 0;
    for (const Kind &kind : kKinds)
        Measure(kind, corpus / kind.folder, rounds);
    return 0;
}
