#include "cli/report.h"

#include <cstdio>

#include "cli/printable.h"

namespace crvcli {

namespace {

// A run shorter than this finishes before a progress line would help.
constexpr std::chrono::seconds kProgressDelay{1};
// Redrawing more often would only slow a terminal down.
constexpr std::chrono::milliseconds kProgressInterval{100};

std::string Figures(std::uint64_t in, std::uint64_t out) {
    double saved =
        in ? (static_cast<double>(in) - static_cast<double>(out)) * 100.0 / static_cast<double>(in)
           : 0.0;
    char text[96];
    std::snprintf(text, sizeof text, "%llu -> %llu bytes (%.1f%% saved)",
                  static_cast<unsigned long long>(in), static_cast<unsigned long long>(out), saved);
    return text;
}

std::string Count(std::size_t count, const char *what) {
    return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

std::string NameOf(const Item &item) {
    return item.input == "-" ? "standard input" : item.input;
}

} // namespace

Reporter::Reporter(const Options &options, bool terminal)
    : options_(options), terminal_(terminal && !options.quiet) {}

void Reporter::Print(const std::string &line) {
    ClearProgress();
    std::fprintf(stderr, "%s\n", Printable(line).c_str());
}

void Reporter::ClearProgress() {
    if (progressWidth_)
        std::fprintf(stderr, "\r%*s\r", static_cast<int>(progressWidth_), "");
    progressWidth_ = 0;
}

void Reporter::Add(const Item &item, const Outcome &outcome) {
    switch (outcome.kind) {
    case Outcome::Kind::Failed:
        ++failed_;
        Print("crvcompress: " + NameOf(item) + ": " + outcome.reason);
        return;
    case Outcome::Kind::Skipped:
        if (item.aside) {
            if (options_.verbose)
                Print("crvcompress: " + NameOf(item) + ": " + outcome.reason);
            return;
        }
        ++skipped_;
        if (!options_.quiet)
            Print("crvcompress: " + NameOf(item) + ": " + outcome.reason);
        return;
    case Outcome::Kind::Done:
        break;
    }
    ++done_;
    bytesIn_ += outcome.bytesIn;
    bytesOut_ += outcome.bytesOut;
    gzipKnown_ = gzipKnown_ && outcome.gzipIn && outcome.gzipOut;
    if (gzipKnown_) {
        gzipIn_ += *outcome.gzipIn;
        gzipOut_ += *outcome.gzipOut;
    }
    if (options_.verbose)
        Print(NameOf(item) + ": " + Figures(outcome.bytesIn, outcome.bytesOut) +
              (outcome.reason.empty() ? "" : "; " + outcome.reason));
}

void Reporter::ShowProgress(std::size_t reported, std::size_t total) {
    auto now = std::chrono::steady_clock::now();
    if (!terminal_ || now - start_ < kProgressDelay || now - drawn_ < kProgressInterval)
        return;
    std::string line = "crvcompress: " + std::to_string(reported) + "/" + Count(total, "file");
    // The count only grows, so the new line covers the old one.
    std::fprintf(stderr, "\r%s", line.c_str());
    std::fflush(stderr);
    progressWidth_ = line.size();
    drawn_ = now;
}

void Reporter::Finish() {
    ClearProgress();
    if (options_.quiet)
        return;
    std::string line = "crvcompress: " + Count(done_, "file");
    if (failed_)
        line += ", " + std::to_string(failed_) + " failed";
    if (skipped_)
        line += ", " + std::to_string(skipped_) + " skipped";
    line += ": " + Figures(bytesIn_, bytesOut_);
    if (gzipKnown_)
        line += "; gzipped " + Figures(gzipIn_, gzipOut_);
    if (options_.dryRun)
        line += "; dry run, nothing written";
    Print(line);
}

} // namespace crvcli
