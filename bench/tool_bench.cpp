// Wall-clock time and peak memory of the command-line tool over a copy of a
// corpus: the dry run and the in-place run, each with and without the gzip
// figures of its summary, with one job and with two.
//
//   tool_bench CRVCOMPRESS [corpus [rounds]]
//
// corpus defaults to ../shared/corpus, rounds to 5. Every run gets a fresh
// copy of the corpus, made durable before the clock starts, so that each
// in-place run finds the same files and pays only for its own writes. The
// runs of one round are interleaved, each round starting one run later, so
// that a change in the machine's load, or what the run before leaves behind,
// touches all of them alike; the fastest and the median run are shown.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench/child_run.h"

namespace fs = std::filesystem;

namespace {

struct Case {
    const char *options;
    const char *title;
    std::vector<std::string> arguments;
    std::string jobs;
    std::vector<ChildRun> runs;
};

std::vector<Case> MakeCases() {
    struct Kind {
        const char *options;
        const char *title;
        std::vector<std::string> arguments;
    };
    const Kind kinds[] = {
        {"-n -q -r", "dry run, no figures", {"-n", "-q", "-r"}},
        {"-n -r", "dry run, gzip figures", {"-n", "-r"}},
        {"-q -r", "in place, no figures", {"-q", "-r"}},
        {"-r", "in place, gzip figures", {"-r"}},
    };
    std::vector<Case> cases;
    for (const char *jobs : {"-j1", "-j2"})
        for (const Kind &kind : kinds)
            cases.push_back({kind.options, kind.title, kind.arguments, jobs, {}});
    return cases;
}

bool TakenByWalk(const fs::path &file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".html" || extension == ".htm" || extension == ".js" ||
           extension == ".css";
}

struct CorpusFacts {
    std::size_t files = 0;
    std::uintmax_t bytes = 0;
    std::uintmax_t largest = 0;
};

CorpusFacts Survey(const fs::path &corpus) {
    CorpusFacts facts;
    for (const auto &entry : fs::recursive_directory_iterator(corpus)) {
        if (!entry.is_regular_file() || !TakenByWalk(entry.path()))
            continue;
        ++facts.files;
        facts.bytes += entry.file_size();
        facts.largest = std::max(facts.largest, entry.file_size());
    }
    return facts;
}

fs::path MakeScratch() {
    std::random_device random;
    for (;;) {
        fs::path scratch = fs::temp_directory_path() / ("crv-tool-bench-" + std::to_string(random()));
        if (fs::create_directory(scratch))
            return scratch;
    }
}

// The corpus may be read-only, and the tool leaves read-only files alone.
void CopyWritable(const fs::path &corpus, const fs::path &copy) {
    fs::copy(corpus, copy, fs::copy_options::recursive);
    const auto writable = fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(copy, writable | fs::perms::owner_exec, fs::perm_options::add);
    for (const auto &entry : fs::recursive_directory_iterator(copy))
        fs::permissions(entry.path(),
                        entry.is_directory() ? writable | fs::perms::owner_exec : writable,
                        fs::perm_options::add);
}

ChildRun RunOnFreshCopy(const std::string &tool, const Case &run, const fs::path &corpus,
                        const fs::path &copy) {
    fs::remove_all(copy);
    CopyWritable(corpus, copy);
    FlushFileSystems();
    std::vector<std::string> arguments{tool, run.jobs};
    arguments.insert(arguments.end(), run.arguments.begin(), run.arguments.end());
    arguments.push_back(copy.string());
    return RunChild(arguments);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Summary {
    double fastest = 0;
    double median = 0;
    double peakMegabytes = 0;
    bool failed = false;
};

Summary Summarise(const Case &run) {
    std::vector<double> seconds;
    Summary summary;
    for (const ChildRun &child : run.runs) {
        seconds.push_back(child.seconds);
        summary.peakMegabytes = std::max(summary.peakMegabytes, child.peakMegabytes);
        summary.failed = summary.failed || !child.started || child.exitStatus != 0;
    }
    summary.fastest = *std::min_element(seconds.begin(), seconds.end());
    summary.median = Median(seconds);
    return summary;
}

void ReportRatios(const std::vector<Case> &cases, const std::vector<Summary> &summaries) {
    // Cases are ordered -j1 then -j2, four each; index 0 is the dry run
    // without figures, 3 the default in-place run.
    for (std::size_t jobs = 0; jobs < 2; ++jobs)
        std::printf("-r / (-n -q -r) with -j%zu: %.2f (fastest runs)\n", jobs + 1,
                    summaries[jobs * 4 + 3].fastest / summaries[jobs * 4].fastest);
    for (std::size_t kind = 0; kind < 4; ++kind)
        std::printf("-j1 / -j2 for %s: %.2f\n", cases[kind].options,
                    summaries[kind].fastest / summaries[kind + 4].fastest);
}

void Report(const std::vector<Case> &cases, const CorpusFacts &facts) {
    std::printf("%-9s %-22s %4s %9s %9s %10s\n", "run", "", "jobs", "fastest", "median",
                "peak RSS");
    std::vector<Summary> summaries;
    double peak = 0;
    for (const Case &run : cases) {
        Summary summary = Summarise(run);
        summaries.push_back(summary);
        peak = std::max(peak, summary.peakMegabytes);
        std::printf("%-9s %-22s %4s %7.2f s %7.2f s %7.1f MB%s\n", run.options, run.title,
                    run.jobs.c_str(),
                    summary.fastest, summary.median, summary.peakMegabytes,
                    summary.failed ? "  (a run failed)" : "");
    }
    ReportRatios(cases, summaries);
    double largest = static_cast<double>(facts.largest) / 1e6;
    std::printf("peak resident size %.1f MB = 2 x largest file (%.2f MB) + %.1f MB\n", peak,
                largest, peak - 2 * largest);
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: tool_bench CRVCOMPRESS [corpus [rounds]]\n");
        return 2;
    }
    std::string tool = fs::absolute(argv[1]).string();
    fs::path corpus = argc > 2 ? argv[2] : "../shared/corpus";
    long rounds = argc > 3 ? std::max(1L, std::atol(argv[3])) : 5;
    if (!fs::is_directory(corpus)) {
        std::printf("== crvcompress: no corpus at %s, nothing to measure\n", corpus.string().c_str());
        return 0;
    }
    CorpusFacts facts = Survey(corpus);
    std::printf("== crvcompress over %s: %zu files, %.1f MB, %ld rounds, a fresh copy each run\n",
                corpus.string().c_str(), facts.files, static_cast<double>(facts.bytes) / 1e6,
                rounds);
    fs::path scratch = MakeScratch();
    std::printf("copies in %s\n", scratch.parent_path().string().c_str());
    std::vector<Case> cases = MakeCases();
    for (long round = 0; round < rounds; ++round)
        for (std::size_t i = 0; i < cases.size(); ++i) {
            Case &run = cases[(i + static_cast<std::size_t>(round)) % cases.size()];
            run.runs.push_back(RunOnFreshCopy(tool, run, corpus, scratch / "corpus"));
        }
    fs::remove_all(scratch);
    Report(cases, facts);
    return 0;
}
