#ifndef CRV_CLI_REPORT_H
#define CRV_CLI_REPORT_H

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "cli/options.h"
#include "cli/plan.h"
#include "cli/process.h"

namespace crvcli {

// Everything the user reads goes to standard error, so that standard output
// carries only the compressed text when - is named.
class Reporter {
public:
    Reporter(const Options &options, bool terminal);

    // Reports one item's outcome, in the items' order, and counts it.
    void Add(const Item &item, const Outcome &outcome);

    // Redraws the progress line on a terminal once the run has taken a while:
    // reported of total items are through.
    void ShowProgress(std::size_t reported, std::size_t total);

    // Clears the progress line and prints the summary unless quiet.
    void Finish();

    bool AllDone() const { return failed_ == 0; }

private:
    void Print(const std::string &line);
    void ClearProgress();

    const Options &options_;
    bool terminal_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::size_t progressWidth_ = 0; // of the progress line shown, 0: none
    std::chrono::steady_clock::time_point drawn_; // when it was last drawn
    std::size_t done_ = 0;
    std::size_t failed_ = 0;
    std::size_t skipped_ = 0;
    std::uint64_t bytesIn_ = 0;
    std::uint64_t bytesOut_ = 0;
    std::uint64_t gzipIn_ = 0;
    std::uint64_t gzipOut_ = 0;
    bool gzipKnown_ = true; // every file done has its gzip sizes
};

} // namespace crvcli

#endif
