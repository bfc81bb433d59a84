// The byte scan on every path: the first stop byte wherever it falls in or
// around a 16- or 32-byte block, nothing found past the end, and no load
// outside [from, end) (the text sits in a heap block of exactly its size, so
// AddressSanitizer sees any read past it).
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "compress/byte_scan.h"

namespace {

using Find = const char *(*)(const char *, const char *);

using TagStart = crv::ByteSet<0, '<', '&'>;
using WhiteOrControl = crv::ByteSet<0x21>;
using Quote = crv::ByteSet<0, '"', '\\', '\n'>;

struct ScanCase {
    const char *name;
    Find find;
    char filler; // never a stop byte of the set
    char stop;
};

const ScanCase kCases[] = {
    {"markup byte in text", crv::FindByte<TagStart>, 'x', '&'},
    {"markup byte among high bytes", crv::FindByte<TagStart>, '\xC3', '<'},
    {"space among high bytes", crv::FindByte<WhiteOrControl>, '\xA0', ' '},
    {"tab in a word", crv::FindByte<WhiteOrControl>, '!', '\t'},
    {"zero byte counts as below", crv::FindByte<WhiteOrControl>, 'z', '\0'},
    {"escape in a literal", crv::FindByte<Quote>, ' ', '\\'},
    {"line break in a literal", crv::FindByte<Quote>, '\x7F', '\n'},
};

const crv::ScanPath kPaths[] = {crv::ScanPath::kScalar, crv::ScanPath::kSse2,
                                crv::ScanPath::kAvx2};

class ByteScanTest : public ::testing::TestWithParam<crv::ScanPath> {
  protected:
    void SetUp() override {
        if (crv::UseScanPath(GetParam()) != GetParam())
            GTEST_SKIP() << "scan path not offered here";
    }
    void TearDown() override { crv::UseScanPath(crv::BestScanPath()); }
};

// Texts of every length up to three AVX2 blocks, with the stop byte at every
// position or nowhere; a stop byte just past the end must not be found.
TEST_P(ByteScanTest, FindsFirstStopByteInsideTheText) {
    for (const ScanCase &scan : kCases)
        for (std::size_t length = 0; length <= 96; ++length)
            for (std::size_t stop = 0; stop <= length; ++stop) {
                auto block = std::make_unique<char[]>(length + 1);
                std::string text(length, scan.filler);
                if (stop < length)
                    text[stop] = scan.stop;
                text.copy(block.get(), length);
                block[length] = scan.stop;
                const char *found = scan.find(block.get(), block.get() + length);
                ASSERT_EQ(found - block.get(), static_cast<std::ptrdiff_t>(stop))
                    << scan.name << ", length " << length;
            }
}

// Only the first of several stop bytes counts, in whichever lane it falls.
TEST_P(ByteScanTest, StopsAtTheFirstOfSeveral) {
    const std::string text = std::string(40, 'a') + "<b>&c" + std::string(40, 'd') + "<";
    for (std::size_t from = 0; from < text.size(); ++from) {
        auto expected = text.find_first_of("<&", from);
        const char *found = crv::FindByte<TagStart>(text.data() + from, text.data() + text.size());
        EXPECT_EQ(found - text.data(), static_cast<std::ptrdiff_t>(expected)) << "from " << from;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryPath, ByteScanTest, ::testing::ValuesIn(kPaths),
                         [](const auto &info) {
                             return std::string(crv::ScanPathName(info.param));
                         });

} // namespace
