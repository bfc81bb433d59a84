// BlockScan: where the script compressor's stretches end, under each scan
// path, with stops on both sides of the 16-, 32- and 64-byte steps and near
// the end of the text.
#include <cstddef>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "compress/script/js_scan.h"
#include "tests/compress/script/letter_text.h"
#include "tests/compress/script/scan_paths.h"

namespace crv::test {
namespace {

using Stops = ScriptByteSet<'\0', ' ', '(', '"', '\\', '`', '{', '}'>;

using crvtest::ForEachScanPathConstant;

using Text = crvtest::LetterText;

struct StopCase {
    std::size_t length; // of the text
    std::size_t from;   // where the search starts
    std::size_t stop;   // where a stop byte stands; length for none
    std::size_t found;  // what Next answers
};

void PrintTo(const StopCase &c, std::ostream *os) {
    *os << "length " << c.length << ", from " << c.from << ", stop " << c.stop;
}

class BlockScanNext : public ::testing::TestWithParam<StopCase> {};

TEST_P(BlockScanNext, FindsTheFirstStop) {
    const StopCase &c = GetParam();
    Text text(c.length);
    if (c.stop < c.length)
        text.bytes[c.stop] = '(';
    ForEachScanPathConstant([&](auto path) {
        BlockScan<Stops, path> scan;
        EXPECT_EQ(scan.Next(text.Begin() + c.from, text.End()) - text.Begin(),
                  static_cast<std::ptrdiff_t>(c.found));
    });
}

const StopCase kStopCases[] = {
    {100, 0, 0, 0},     {100, 0, 15, 15},   {100, 0, 16, 16},   {100, 0, 17, 17},
    {100, 0, 31, 31},   {100, 0, 32, 32},   {100, 0, 33, 33},   {100, 0, 64, 64},
    {100, 0, 65, 65},   {100, 5, 37, 37},   {100, 40, 40, 40},  {100, 40, 99, 99},
    {100, 0, 100, 100}, {100, 70, 100, 100}, {100, 84, 90, 90}, {100, 68, 85, 85},
    {100, 99, 100, 100}, {100, 100, 100, 100}, {31, 0, 30, 30}, {31, 0, 31, 31},
    {32, 0, 31, 31},    {32, 0, 32, 32},    {33, 1, 32, 32},    {0, 0, 0, 0},
    {1, 0, 1, 1},       {15, 3, 14, 14},    {16, 0, 16, 16},    {17, 16, 17, 17},   {63, 0, 62, 62},    {64, 0, 63, 63},    {64, 0, 64, 64},
    {65, 1, 64, 64},    {200, 0, 127, 127}, {200, 0, 128, 128}, {200, 0, 129, 129},
    {200, 60, 200, 200}, {130, 70, 129, 129}, {130, 70, 100, 100}, {200, 137, 199, 199},
};
INSTANTIATE_TEST_SUITE_P(Offsets, BlockScanNext, ::testing::ValuesIn(kStopCases));

// Successive searches reuse the mask of a block and go on into the next.
TEST(BlockScan, FindsEachStopInTurn) {
    Text text(150);
    const std::size_t stops[] = {3, 4, 31, 32, 47, 63, 64, 88, 127, 128, 149};
    for (std::size_t stop : stops)
        text.bytes[stop] = stop % 2 == 0 ? '"' : '}';
    ForEachScanPathConstant([&](auto path) {
        BlockScan<Stops, path> scan;
        const char *from = text.Begin();
        for (std::size_t stop : stops) {
            from = scan.Next(from, text.End());
            EXPECT_EQ(from - text.Begin(), static_cast<std::ptrdiff_t>(stop));
            ++from;
        }
        EXPECT_EQ(scan.Next(from, text.End()), text.End());
    });
}

// Every member is found and nothing else stops the scan, bytes from 0x80 up
// (whose top bit the nibble lookup must not mistake) included.
TEST(BlockScan, StopsAtMembersOnly) {
    for (int c = 1; c < 256; ++c) {
        Text text(70);
        text.bytes[50] = static_cast<char>(c);
        const bool member = Stops::Has(static_cast<char>(c));
        ForEachScanPathConstant([&](auto path) {
            BlockScan<Stops, path> scan;
            EXPECT_EQ(scan.Next(text.Begin() + 20, text.End()) - text.Begin(), member ? 50 : 70)
                << "byte " << c;
        });
    }
}

// The ends of a string literal's body share no low nibble, which gives them
// a lookup of their own on the AVX2 path; Stops takes the general one.
using StringEnds = ScriptByteSet<'\0', '"', '\\'>;
static_assert(StringEnds::kOneMemberPerLowNibble && !Stops::kOneMemberPerLowNibble);

struct ByteCase {
    unsigned char byte; // put into a text of 200 bytes that holds no member
    std::size_t at;     // where it stands
    std::size_t found;  // what Next answers, searching from the start
};

void PrintTo(const ByteCase &c, std::ostream *os) {
    *os << "byte " << static_cast<int>(c.byte) << " at " << c.at;
}

class StringEndsNext : public ::testing::TestWithParam<ByteCase> {};

TEST_P(StringEndsNext, FindsMembersOnly) {
    const ByteCase &c = GetParam();
    Text text(200);
    text.bytes[c.at] = static_cast<char>(c.byte);
    ForEachScanPathConstant([&](auto path) {
        BlockScan<StringEnds, path> scan;
        EXPECT_EQ(scan.Next(text.Begin(), text.End()) - text.Begin(),
                  static_cast<std::ptrdiff_t>(c.found));
    });
}

// Blocks start at 0, 64 and 128 and are whole; the one at 192 holds the
// last 8 bytes. The bytes that are no member share a low nibble with one
// (0x?2, 0x?C, 0x?0), have the top bit set, or stand where a low nibble
// has no member.
const ByteCase kStringEndCases[] = {
    {'"', 0, 0},       {'"', 15, 15},     {'"', 16, 16},     {'"', 17, 17},
    {'"', 31, 31},     {'"', 32, 32},     {'"', 33, 33},     {'"', 63, 63},
    {'"', 64, 64},     {'"', 65, 65},     {'\\', 127, 127}, {'\\', 128, 128},
    {'\\', 150, 150}, {'"', 191, 191},   {'"', 192, 192},   {'\\', 199, 199},
    {0x12, 16, 200},   {0x32, 33, 200},   {0xA2, 64, 200},   {0x7C, 15, 200},
    {0xDC, 31, 200},   {0x4C, 130, 200},  {0x80, 0, 200},     {0xFF, 65, 200},
    {0x10, 63, 200},   {0x20, 100, 200},  {0x01, 137, 200},  {0x03, 195, 200},
    {0x42, 190, 200},  {0x5D, 199, 200},
};
INSTANTIATE_TEST_SUITE_P(Bytes, StringEndsNext, ::testing::ValuesIn(kStringEndCases));

// Every byte value in a whole block of the vector paths, for both lookups.
template <class Set>
void ExpectMembersOnlyInWholeBlock() {
    for (int c = 1; c < 256; ++c) {
        Text text(200);
        text.bytes[100] = static_cast<char>(c);
        const bool member = Set::Has(static_cast<char>(c));
        ForEachScanPathConstant([&](auto path) {
            BlockScan<Set, path> scan;
            EXPECT_EQ(scan.Next(text.Begin() + 70, text.End()) - text.Begin(), member ? 100 : 200)
                << "byte " << c;
        });
    }
}

TEST(BlockScan, StopsAtMembersOnlyInWholeBlocks) {
    ExpectMembersOnlyInWholeBlock<Stops>();
    ExpectMembersOnlyInWholeBlock<StringEnds>();
}

} // namespace
} // namespace crv::test
