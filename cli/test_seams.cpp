#include "cli/test_seams.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace crvcli {

namespace {

constexpr std::uint64_t kLargestText = 0xFFFFFFFFu - 19;

} // namespace

#ifdef CRV_CLI_TEST_SEAMS

void HoldForTest(const char *variable) {
    const char *pipe = std::getenv(variable);
    if (!pipe)
        return;
    if (std::FILE *hold = std::fopen(pipe, "rb")) {
        while (std::fgetc(hold) != EOF) {
        }
        std::fclose(hold);
    }
}

std::uint64_t LargestText() {
    const char *value = std::getenv("CRVCOMPRESS_TEST_LARGEST_TEXT");
    return value ? std::stoull(value) : kLargestText;
}

#else

void HoldForTest(const char *) {}

std::uint64_t LargestText() { return kLargestText; }

#endif

} // namespace crvcli
