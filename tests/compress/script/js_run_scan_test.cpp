// RunScan: where a gap of white space ends and whether a line break stood in
// it, under each scan path, with gaps that start and end on both sides of the
// 16-, 32- and 64-byte steps of a block made earlier, and near the end of the
// text.
#include <cstddef>
#include <memory>
#include <ostream>

#include <gtest/gtest.h>

#include "compress/script/js_run_scan.h"
#include "tests/compress/script/letter_text.h"
#include "tests/compress/script/scan_paths.h"

namespace crv::test {
namespace {

using Stops = ScriptByteSet<'\0', '\t', '\n', '\r', ' ', '(', '"'>;

using crvtest::ForEachScanPathConstant;

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

using Text = crvtest::LetterText;

struct GapCase {
    std::size_t length;    // of the text
    std::size_t blockAt;   // where a run is looked for first, which makes the block
    std::size_t gapStart;  // white space from here
    std::size_t gapEnd;    // up to here, which SkipWhiteSpace answers
    std::size_t lineBreak; // where a line feed stands in the gap, or kNone
    bool found;            // whether SkipWhiteSpace reports a line break
};

void PrintTo(const GapCase &c, std::ostream *os) {
    *os << "length " << c.length << ", block at " << c.blockAt << ", gap " << c.gapStart << '-'
        << c.gapEnd << ", line break " << static_cast<std::ptrdiff_t>(c.lineBreak);
}

class RunScanGap : public ::testing::TestWithParam<GapCase> {};

TEST_P(RunScanGap, EndsAtTheFirstOtherByte) {
    const GapCase &c = GetParam();
    Text text(c.length);
    for (std::size_t i = c.gapStart; i < c.gapEnd; ++i)
        text.bytes[i] = i % 3 == 0 ? '\t' : ' ';
    if (c.lineBreak != kNone)
        text.bytes[c.lineBreak] = '\n';
    ForEachScanPathConstant([&](auto path) {
        RunScan<Stops, path> scan;
        EXPECT_EQ(scan.NextStop(text.At(c.blockAt), text.End()), text.At(c.gapStart));
        bool lineBreak = false;
        EXPECT_EQ(scan.SkipWhiteSpace(text.At(c.gapStart), text.End(), lineBreak),
                  text.At(c.gapEnd));
        EXPECT_EQ(lineBreak, c.found);
    });
}

const GapCase kGapCases[] = {
    // A gap of one byte at each step of the block made at 0.
    {200, 0, 0, 1, kNone, false},
    {200, 0, 15, 16, kNone, false},
    {200, 0, 16, 17, 16, true},
    {200, 0, 17, 18, kNone, false},
    {200, 0, 31, 32, 31, true},
    {200, 0, 32, 33, kNone, false},
    {200, 0, 33, 34, kNone, false},
    {200, 0, 63, 64, 63, true},
    {200, 0, 64, 65, kNone, false},
    {200, 0, 65, 66, 65, true},
    // Gaps that end at each step, or cross the end of the block.
    {200, 0, 1, 15, 14, true},
    {200, 0, 1, 16, kNone, false},
    {200, 0, 10, 17, 10, true},
    {200, 0, 20, 31, kNone, false},
    {200, 0, 20, 32, 31, true},
    {200, 0, 20, 33, 32, true},
    {200, 0, 40, 63, kNone, false},
    {200, 0, 40, 64, 63, true},
    {200, 0, 40, 65, 64, true},
    {200, 0, 40, 65, kNone, false},
    {200, 0, 60, 130, 129, true},
    {200, 0, 60, 130, 66, true},
    {200, 0, 1, 200, kNone, false},
    {200, 0, 1, 200, 199, true},
    // A line break in the block but behind the gap does not count.
    {200, 0, 5, 9, 10, false},
    {200, 7, 30, 31, 32, false},
    // Blocks made where the text does not start.
    {200, 5, 20, 70, 68, true},
    {200, 5, 68, 69, kNone, false},
    {200, 5, 69, 70, 69, true},
    {200, 37, 100, 101, 100, true},
    {200, 37, 100, 102, 101, true},
    // Within the last 64 bytes: a gap at the end of the text ends at its zero
    // byte.
    {100, 40, 99, 100, 99, true},
    {100, 40, 90, 100, kNone, false},
    {100, 60, 61, 100, 62, true},
    {100, 70, 80, 85, 84, true},
    {64, 0, 63, 64, kNone, false},
    {65, 1, 2, 65, 64, true},
    {63, 0, 0, 63, 62, true},
    {1, 0, 0, 1, 0, true},
    {0, 0, 0, 0, kNone, false},
};
INSTANTIATE_TEST_SUITE_P(Offsets, RunScanGap, ::testing::ValuesIn(kGapCases));

struct LaterStopCase {
    std::size_t length; // of the text
    std::size_t blockAt; // where the first search starts, which makes the block
    std::size_t first;   // the stop it finds; the second search starts behind it
    std::size_t stop;    // where the next stop stands; length for none
    std::size_t found;   // what the second search answers
};

void PrintTo(const LaterStopCase &c, std::ostream *os) {
    *os << "length " << c.length << ", block at " << c.blockAt << ", first " << c.first
        << ", stop " << c.stop;
}

class RunScanLaterStop : public ::testing::TestWithParam<LaterStopCase> {};

// A search that starts inside a block made earlier goes on block by block
// from that block's end, not from where it started.
TEST_P(RunScanLaterStop, FoundInTheBlockOrBehindIt) {
    const LaterStopCase &c = GetParam();
    Text text(c.length);
    text.bytes[c.first] = '(';
    if (c.stop < c.length)
        text.bytes[c.stop] = '"';
    ForEachScanPathConstant([&](auto path) {
        RunScan<Stops, path> scan;
        EXPECT_EQ(scan.NextStop(text.At(c.blockAt), text.End()), text.At(c.first));
        EXPECT_EQ(scan.NextStop(text.At(c.first + 1), text.End()), text.At(c.found));
    });
}

const LaterStopCase kLaterStopCases[] = {
    // Block made at 5: its own last byte is 68, the next block starts at 69.
    {300, 5, 6, 20, 20},
    {300, 5, 6, 68, 68},
    {300, 5, 6, 69, 69},
    {300, 5, 6, 70, 70},
    {300, 5, 50, 84, 84},
    {300, 5, 50, 85, 85},
    {300, 5, 50, 86, 86},
    {300, 5, 67, 100, 100},
    {300, 5, 67, 101, 101},
    {300, 5, 67, 102, 102},
    {300, 5, 68, 132, 132},
    {300, 5, 68, 133, 133},
    {300, 5, 68, 134, 134},
    {300, 5, 40, 197, 197},
    {300, 5, 40, 198, 198},
    // Several blocks behind, and into the last 64 bytes of the text.
    {300, 5, 6, 299, 299},
    {300, 5, 6, 300, 300},
    {300, 5, 200, 300, 300},
    {150, 3, 4, 130, 130},
    {150, 3, 4, 131, 131},
    {150, 3, 4, 149, 149},
    {150, 3, 4, 150, 150},
    {100, 30, 40, 99, 99},
    {100, 30, 40, 100, 100},
    {70, 0, 63, 64, 64},
    {70, 0, 63, 70, 70},
    {64, 0, 62, 64, 64},
};
INSTANTIATE_TEST_SUITE_P(Offsets, RunScanLaterStop, ::testing::ValuesIn(kLaterStopCases));

// Runs and gaps taken in turn share the blocks and go on into the next.
TEST(RunScan, TakesRunsAndGapsInTurn) {
    Text text(150);
    struct Gap {
        std::size_t start, end;
        bool lineBreak;
    };
    const Gap gaps[] = {{3, 4, false},   {30, 33, true},   {62, 63, false},
                        {64, 70, false}, {100, 128, true}, {149, 150, true}};
    for (const Gap &gap : gaps) {
        for (std::size_t i = gap.start; i < gap.end; ++i)
            text.bytes[i] = ' ';
        if (gap.lineBreak)
            text.bytes[gap.end - 1] = '\r';
    }
    text.bytes[50] = '(';
    ForEachScanPathConstant([&](auto path) {
        RunScan<Stops, path> scan;
        const char *at = text.At(0);
        for (const Gap &gap : gaps) {
            at = scan.NextStop(at, text.End());
            if (*at == '(')
                at = scan.NextStop(at + 1, text.End());
            EXPECT_EQ(at, text.At(gap.start));
            bool lineBreak = false;
            at = scan.SkipWhiteSpace(at, text.End(), lineBreak);
            EXPECT_EQ(at, text.At(gap.end));
            EXPECT_EQ(lineBreak, gap.lineBreak) << "gap at " << gap.start;
        }
        EXPECT_EQ(at, text.End());
    });
}

// Only tab, line feed, carriage return and space are white space, and only
// the two line breaks count as one; bytes from 0x80 up are neither.
TEST(RunScan, WhiteSpaceIsTheFourBytesOnly) {
    for (int c = 1; c < 256; ++c) {
        Text text(100);
        text.bytes[20] = ' ';
        text.bytes[21] = static_cast<char>(c);
        text.bytes[22] = ' ';
        const bool space = c == '\t' || c == '\n' || c == '\r' || c == ' ';
        const bool lineBreak = c == '\n' || c == '\r';
        ForEachScanPathConstant([&](auto path) {
            RunScan<Stops, path> scan;
            bool found = false;
            EXPECT_EQ(scan.SkipWhiteSpace(text.At(20), text.End(), found),
                      text.At(space ? 23 : 21))
                << "byte " << c;
            EXPECT_EQ(found, lineBreak) << "byte " << c;
        });
    }
}

} // namespace
} // namespace crv::test
