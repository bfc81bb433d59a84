// crvcompress: compresses HTML, JavaScript and CSS files in place, or into
// another folder, through the library's exports.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/options.h"
#include "cli/plan.h"
#include "cli/printable.h"
#include "cli/report.h"
#include "cli/runner.h"
#include "cli/temporaries.h"
#include "cli/terminal.h"
#include "cli/test_seams.h"
#include "sdk/crvsdk.h"

using namespace crvcli;

namespace {

constexpr int kAllDone = 0;
constexpr int kSomeFailed = 1;
constexpr int kBadUsage = 2;

int BadUsage(const std::string &reason) {
    std::fprintf(stderr, "crvcompress: %s\nTry 'crvcompress --help'.\n",
                 Printable(reason).c_str());
    return kBadUsage;
}

void PrintVersion() {
    std::uint32_t v = CRVGetVersion();
    std::printf("crvcompress (HTML Corvane) %u.%u.%u\n", v >> 16, (v >> 8) & 0xFF, v & 0xFF);
}

} // namespace

int main(int argc, char **argv) {
    Options options;
    std::string error;
    if (!ParseOptions(argc, argv, options, error))
        return BadUsage(error);
    if (options.help) {
        std::fputs(kUsage, stdout);
        return kAllDone;
    }
    if (options.version) {
        PrintVersion();
        return kAllDone;
    }
    RemoveTemporariesWhenInterrupted();
    std::vector<Item> items;
    if (!MakePlan(options, items, error))
        return BadUsage(error);
    HoldForTest(kHoldAfterPlan);
    UseBinaryStandardStreams();
    Reporter reporter(options, IsTerminal(stderr));
    if (!RunAll(items, options, reporter, error)) {
        std::fprintf(stderr, "crvcompress: %s\n", Printable(error).c_str());
        return kSomeFailed;
    }
    reporter.Finish();
    return reporter.AllDone() ? kAllDone : kSomeFailed;
}
