#ifndef CRV_CLI_TEST_SEAMS_H
#define CRV_CLI_TEST_SEAMS_H

#include <cstdint>

namespace crvcli {

// Places where a test can hold the tool, to change the tree under a running
// tool at an exact step. Only debug builds read these variables; elsewhere
// each call does nothing.
constexpr const char *kHoldAfterPlan = "CRVCOMPRESS_TEST_HOLD_AFTER_PLAN";
constexpr const char *kHoldBeforeRename = "CRVCOMPRESS_TEST_HOLD_BEFORE_RENAME";

// Waits, when the variable names a pipe, until the test has written to it
// and closed it.
void HoldForTest(const char *variable);

// The largest text the library takes: the largest file whose buffer, with the
// library's 19 spare bytes, has a 32-bit size. Debug builds let a test lower
// it through CRVCOMPRESS_TEST_LARGEST_TEXT.
std::uint64_t LargestText();

} // namespace crvcli

#endif
