// RunStops: the bytes that end a script's run, found under each scan path
// at every place of a block (the 16-byte steps of SSE2, the 32-byte halves
// of AVX2, the next block) and in the last bytes of a text, which the scalar
// mask covers. Its SSE2 finder folds neighbouring bytes together, so the
// bytes one bit or one step away from a stop are checked not to stop.
#include <cstddef>
#include <memory>
#include <ostream>

#include <gtest/gtest.h>

#include "compress/script/js_run_stops.h"
#include "tests/compress/script/letter_text.h"
#include "tests/compress/script/scan_paths.h"

namespace crv::test {
namespace {

using crvtest::ForEachScanPathConstant;

using Text = crvtest::LetterText;

struct StopCase {
    char byte;          // put at offset
    std::size_t length; // of the text
    std::size_t offset;
    std::size_t found; // where a search from the start stops
};

void PrintTo(const StopCase &c, std::ostream *os) {
    *os << "byte " << static_cast<int>(static_cast<unsigned char>(c.byte)) << " at " << c.offset
        << " of " << c.length;
}

class RunStopsNext : public ::testing::TestWithParam<StopCase> {};

TEST_P(RunStopsNext, FindsTheStopOrTheEnd) {
    const StopCase &c = GetParam();
    Text text(c.length);
    text.bytes[c.offset] = c.byte;
    ForEachScanPathConstant([&](auto path) {
        RunScan<RunStops, path> scan;
        EXPECT_EQ(scan.NextStop(text.Begin(), text.End()) - text.Begin(),
                  static_cast<std::ptrdiff_t>(c.found));
    });
}

const StopCase kStopCases[] = {
    // Each stop once, on each side of the 16-, 32- and 64-byte steps.
    {'\t', 300, 0, 0},
    {'\n', 300, 15, 15},
    {'\r', 300, 16, 16},
    {' ', 300, 17, 17},
    {'(', 300, 31, 31},
    {')', 300, 32, 32},
    {'[', 300, 33, 33},
    {']', 300, 63, 63},
    {'{', 300, 64, 64},
    {'}', 300, 65, 65},
    {'+', 300, 15, 15},
    {'-', 300, 16, 16},
    {'*', 300, 31, 31},
    {'"', 300, 32, 32},
    {'\'', 300, 63, 63},
    {'`', 300, 64, 64},
    {'/', 300, 0, 0},
    {'<', 300, 65, 65},
    // In the last 64 bytes of the text.
    {'{', 300, 240, 240},
    {'\'', 300, 250, 250},
    {'+', 300, 299, 299},
    {'/', 100, 99, 99},
    {'`', 70, 69, 69},
    // One bit or one step from a stop: no stop, so the search ends at the end.
    {'&', 300, 16, 300},  // below '\''
    {',', 300, 17, 300},  // above '+', below '-'
    {'.', 300, 31, 300},  // between '-' and '/'
    {'%', 300, 32, 300},  // '-' without 0x08
    {'Y', 300, 33, 300},  // '[' without 0x02
    {'y', 300, 63, 300},  // '{' without 0x02
    {'\\', 300, 64, 300}, // between '[' and ']'
    {'|', 300, 65, 300},  // between '{' and '}'
    {'@', 300, 0, 300},   // '`' without 0x20
    {'\x02', 300, 15, 300}, // '"' without 0x20
    {'\x07', 300, 250, 300}, // '\'' without 0x20
    {'\x0B', 300, 251, 300}, // '+' without 0x20
    {'\x0F', 300, 299, 300}, // '/' without 0x20
    {'\x1C', 100, 99, 100},  // '<' without 0x20
    {'\xA8', 300, 16, 300},  // '(' with 0x80
    {'\xFB', 300, 32, 300},  // '{' with 0x80
};
INSTANTIATE_TEST_SUITE_P(Offsets, RunStopsNext, ::testing::ValuesIn(kStopCases));

// Every byte value at every place of a whole block: a stop is found there,
// any other byte lets the search run on to the end.
TEST(RunStops, StopAtMembersOnlyAtEveryPlaceOfABlock) {
    for (int c = 1; c < 256; ++c) {
        const bool stop = RunStops::Has(static_cast<char>(c));
        for (std::size_t offset = 0; offset < 64; ++offset) {
            Text text(200);
            text.bytes[offset] = static_cast<char>(c);
            ForEachScanPathConstant([&](auto path) {
                RunScan<RunStops, path> scan;
                EXPECT_EQ(scan.NextStop(text.Begin(), text.End()) - text.Begin(),
                          stop ? static_cast<std::ptrdiff_t>(offset) : 200)
                    << "byte " << c << " at " << offset;
            });
        }
    }
}

} // namespace
} // namespace crv::test
