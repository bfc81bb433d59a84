// Throughput of the three compressors over folders of real documents, with
// memcpy of the same bytes in the same run for scale, and what the library
// adds to each job: the same documents through CRVCompressRawData, waiting.
//
//   compress_bench [corpus [rounds]]
//
// corpus (default ../shared/corpus) holds the folders css, js and html; a
// missing folder is passed by. Without rounds each run lasts about two
// seconds. Both the mean over all rounds and the fastest round are shown: the
// fastest is the one least disturbed by other work on the machine. The
// compressors run on the fastest scan path the processor offers; each slower
// path is measured after it, over a third of the rounds.
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

#include "compress/byte_scan.h"
#include "compress/html/html_compressor.h"
#include "compress/script/css_compressor.h"
#include "compress/script/js_compressor.h"
#include "sdk/crvsdk.h"
#include "tests/support/guarded_buffer.h"

namespace {

using Clock = std::chrono::steady_clock;

// A compressor as the worker runs it, over the text of one document.
struct Kind {
    const char *folder;
    const char *name;
    std::uint32_t dataType;
    void (*compress)(char *text, crv::ProgressCursor progress);
};

// Default options, as a new instance has them.
const crv::CompressOptions kDefaults;

const Kind kKinds[] = {
    {"css", "CompressCss", CRV_DATA_CSS,
     [](char *t, crv::ProgressCursor p) { crv::CompressCss(t, crv::Placement::kDocument, p); }},
    {"js", "CompressJavaScript", CRV_DATA_JAVASCRIPT,
     [](char *t, crv::ProgressCursor p) {
         crv::CompressJavaScript(t, crv::Placement::kDocument, kDefaults, p);
     }},
    {"html", "CompressHtml", CRV_DATA_HTML,
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
    double librarySeconds = 0;
    bool libraryFailed = false;
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

// The same job as a host hands it to the library's worker.
void CompressThroughLibrary(std::int32_t instanceId, const Kind &kind, Sheet &sheet,
                            Timing &timing) {
    sheet.work.Refill(sheet.source);
    char *end = nullptr;
    auto start = Clock::now();
    std::int32_t result = CRVCompressRawData(instanceId, kind.dataType, sheet.work.Text(), &end, 0);
    timing.librarySeconds += Seconds(start);
    timing.libraryFailed = timing.libraryFailed || (result & 0xFF) != CRV_OK;
}

void CopyOnce(Sheet &sheet, Timing &timing) {
    auto start = Clock::now();
    std::memcpy(sheet.work.Text(), sheet.source.data(), sheet.source.size());
    timing.copySeconds += Seconds(start);
}

struct Rounds {
    std::vector<Timing> timings;
    std::vector<double> jobCosts; // library less direct call, per document and round
};

// Each document goes through the direct call and the library one after the
// other, so both find it equally warm in the cache. Which goes first turns
// with each round: the second finds the document warmer, which would
// otherwise show as a cost of one of them.
Rounds RunRounds(std::int32_t instanceId, const Kind &kind, std::vector<Sheet> &sheets,
                 long rounds) {
    Rounds result;
    result.timings.resize(static_cast<std::size_t>(rounds));
    bool libraryFirst = false;
    for (Timing &timing : result.timings) {
        for (Sheet &sheet : sheets) {
            Timing before = timing;
            if (libraryFirst)
                CompressThroughLibrary(instanceId, kind, sheet, timing);
            CompressOnce(kind, sheet, timing);
            if (!libraryFirst)
                CompressThroughLibrary(instanceId, kind, sheet, timing);
            result.jobCosts.push_back((timing.librarySeconds - before.librarySeconds) -
                                      (timing.compressSeconds - before.compressSeconds));
            CopyOnce(sheet, timing);
        }
        libraryFirst = !libraryFirst;
    }
    return result;
}

// Enough rounds for about two seconds, judged from one round.
long RoundsForTwoSeconds(std::int32_t instanceId, const Kind &kind, std::vector<Sheet> &sheets) {
    Timing once = RunRounds(instanceId, kind, sheets, 1).timings.front();
    double seconds = once.compressSeconds + once.librarySeconds + once.copySeconds;
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

Timing Fastest(const std::vector<Timing> &timings) {
    Timing best{1e300, 1e300, 1e300, false};
    for (const Timing &timing : timings) {
        best.compressSeconds = std::min(best.compressSeconds, timing.compressSeconds);
        best.copySeconds = std::min(best.copySeconds, timing.copySeconds);
        best.librarySeconds = std::min(best.librarySeconds, timing.librarySeconds);
        best.libraryFailed = best.libraryFailed || timing.libraryFailed;
    }
    return best;
}

void ReportSpeed(const Kind &kind, const std::vector<Timing> &timings,
                 double megabytesPerRound) {
    Timing total;
    for (const Timing &timing : timings) {
        total.compressSeconds += timing.compressSeconds;
        total.copySeconds += timing.copySeconds;
        total.librarySeconds += timing.librarySeconds;
    }
    Timing best = Fastest(timings);
    double rounds = static_cast<double>(timings.size());
    std::printf("rounds              %zu\n", timings.size());
    std::printf("%-19s %.0f MB/s mean, %.0f MB/s fastest round (%s scan)\n", kind.name,
                megabytesPerRound * rounds / total.compressSeconds,
                megabytesPerRound / best.compressSeconds,
                crv::ScanPathName(crv::BestScanPath()));
    std::printf("%-19s %.0f MB/s mean, %.0f MB/s fastest round\n",
                "memcpy", megabytesPerRound * rounds / total.copySeconds,
                megabytesPerRound / best.copySeconds);
    std::printf("%-19s %.0f MB/s mean, %.0f MB/s fastest round%s\n", "CRVCompressRawData",
                megabytesPerRound * rounds / total.librarySeconds,
                megabytesPerRound / best.librarySeconds,
                best.libraryFailed ? " (a job failed)" : "");
}

// What the library adds to one job: the time through the library less the
// direct call's on the same document. The median is the cost on a quiet
// machine; the mean also holds the waits for a busy core to wake the worker
// and the host. The share is of a 100 KB document's time in the library, at
// the direct call's speed in its fastest round.
void ReportLibraryCost(const Rounds &rounds, double megabytesPerRound) {
    std::vector<double> costs = rounds.jobCosts;
    std::sort(costs.begin(), costs.end());
    double median = costs[costs.size() / 2];
    double mean = 0;
    for (double cost : costs)
        mean += cost / static_cast<double>(costs.size());
    double hundredKilobytes = 0.1 * Fastest(rounds.timings).compressSeconds / megabytesPerRound;
    std::printf("library cost        %.1f us per job (median; mean %.1f us), "
                "%.1f%% of a 100 KB document's time\n",
                median * 1e6, mean * 1e6, 100.0 * median / (hundredKilobytes + median));
}

// The direct call on each scan path below the best one, for comparison.
void ReportSlowerScanPaths(const Kind &kind, std::vector<Sheet> &sheets, long rounds,
                           double megabytesPerRound) {
    const crv::ScanPath best = crv::BestScanPath();
    for (auto path : {crv::ScanPath::kSse2, crv::ScanPath::kScalar}) {
        if (path >= best)
            continue;
        crv::UseScanPath(path);
        double total = 0;
        double fastest = 1e300;
        long pathRounds = std::max(1L, rounds / 3);
        for (long round = 0; round < pathRounds; ++round) {
            Timing timing;
            for (Sheet &sheet : sheets)
                CompressOnce(kind, sheet, timing);
            total += timing.compressSeconds;
            fastest = std::min(fastest, timing.compressSeconds);
        }
        std::printf("%-19s %.0f MB/s mean, %.0f MB/s fastest round (%s scan)\n", kind.name,
                    megabytesPerRound * static_cast<double>(pathRounds) / total,
                    megabytesPerRound / fastest, crv::ScanPathName(path));
    }
    crv::UseScanPath(best);
}

void Measure(std::int32_t instanceId, const Kind &kind, const std::filesystem::path &folder,
             long rounds) {
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
        rounds = RoundsForTwoSeconds(instanceId, kind, sheets);
    Rounds measured = RunRounds(instanceId, kind, sheets, rounds);
    ReportSpeed(kind, measured.timings, megabytes);
    ReportLibraryCost(measured, megabytes);
    ReportSlowerScanPaths(kind, sheets, rounds, megabytes);
}

// An instance as a host sets one up to wait for its jobs, without the beep.
std::int32_t CreateQuietInstance() {
    std::int32_t id = 0;
    if ((CRVCreateInstance(&id) & 0xFF) != CRV_OK ||
        (CRVSetProperty(id, CRV_PROP_BEEP, 0) & 0xFF) != CRV_OK ||
        (CRVSetCallerBehaviour(id, CRV_CALL_WAIT, nullptr) & 0xFF) != CRV_OK)
        return 0;
    return id;
}

} // namespace

int main(int argc, char **argv) {
    std::filesystem::path corpus = argc > 1 ? argv[1] : "../shared/corpus";
    long rounds = argc > 2 ? std::atol(argv[2]) : 0;
    std::int32_t instanceId = CreateQuietInstance();
    if (instanceId == 0) {
        std::fprintf(stderr, "compress_bench: cannot create a library instance\n");
        return 1;
    }
    for (const Kind &kind : kKinds)
        Measure(instanceId, kind, corpus / kind.folder, rounds);
    CRVDestroyInstance(instanceId);
    return 0;
}
