// CompressCss on every scan path: runs copied 16 or 32 bytes at a time must
// give what the byte-by-byte path gives, wherever the byte that ends a run
// falls in a block, however far the output lies behind the input, and near
// the end of the text. Each buffer ends at its zero byte, so that
// AddressSanitizer reports a load past it.
#include <ostream>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "compress/byte_scan.h"
#include "compress/html/html_compressor.h"
#include "compress/script/css_compressor.h"
#include "tests/support/guarded_buffer.h"

namespace crv::test {
namespace {

constexpr ScanPath kPaths[] = {ScanPath::kScalar, ScanPath::kSse2, ScanPath::kAvx2};

// A run of n name bytes that no block boundary lines up with.
std::string Name(std::size_t n) {
    constexpr std::string_view kBytes = "abcdefghijklmnopqrstuvwxyz0123456789-_";
    std::string name;
    for (std::size_t i = 0; i < n; ++i)
        name += kBytes[i % kBytes.size()];
    return name;
}

// A comment of n bytes (0, or 4 and more), which the pass drops: what
// follows it is then written n bytes before where it was read.
std::string Gap(std::size_t n) { return n == 0 ? "" : "/*" + std::string(n - 4, '*') + "*/"; }

// Compresses input in a buffer that ends at its terminator, on path.
template <typename Compressor>
std::string CompressOn(ScanPath path, std::string_view input, Compressor compress) {
    UseScanPath(path);
    crvtest::GuardedBuffer buffer(input, '>', 0);
    const char *cursor = buffer.Run(compress);
    return std::string(static_cast<const char *>(buffer.Text()), cursor);
}

std::string CompressSheet(ScanPath path, std::string_view input) {
    return CompressOn(path, input, [](char *text, ProgressCursor progress) {
        CompressCss(text, Placement::kDocument, progress);
    });
}

class CssScanPaths : public ::testing::Test {
  protected:
    void TearDown() override { UseScanPath(BestScanPath()); }
};

struct RunCase {
    std::size_t gap;     // bytes dropped in front of the run
    std::size_t length;  // bytes of the run
    std::string_view tail;
    std::string_view tailOut;
};

void PrintTo(const RunCase &c, std::ostream *os) {
    *os << "gap " << c.gap << ", run " << c.length << ", tail \"" << c.tail << '"';
}

// Runs stopped at each offset that matters for blocks of 16 and 32, with the
// output at the input (gap 0), less than a block behind it, and one or more
// blocks behind, and each kind of byte that stops a run.
const RunCase kRunCases[] = {
    {0, 0, "{}", "{}"},      {0, 1, "{}", "{}"},      {0, 15, "{}", "{}"},
    {0, 16, "{}", "{}"},     {0, 17, "{}", "{}"},     {0, 31, "{}", "{}"},
    {0, 32, "{}", "{}"},     {0, 33, "{}", "{}"},     {0, 64, "{}", "{}"},
    {5, 15, "{}", "{}"},     {5, 16, "{}", "{}"},     {5, 17, "{}", "{}"},
    {15, 16, "{}", "{}"},    {15, 33, "{}", "{}"},    {16, 0, "{}", "{}"},     {16, 15, "{}", "{}"},
    {16, 16, "{}", "{}"},    {16, 17, "{}", "{}"},    {16, 31, "{}", "{}"},
    {16, 32, "{}", "{}"},    {16, 33, "{}", "{}"},    {31, 33, "{}", "{}"},
    {32, 15, "{}", "{}"},    {32, 16, "{}", "{}"},    {32, 17, "{}", "{}"},
    {32, 31, "{}", "{}"},    {32, 32, "{}", "{}"},    {32, 33, "{}", "{}"},
    {40, 100, "{}", "{}"},
    // The first four bytes are taken one at a time before blocks begin.
    {40, 3, "{}", "{}"},     {40, 4, "{}", "{}"},     {40, 5, "{}", "{}"},
    {40, 19, "{}", "{}"},    {40, 20, "{}", "{}"},    {40, 21, "{}", "{}"},
    {40, 35, "{}", "{}"},    {40, 36, "{}", "{}"},    {40, 37, "{}", "{}"},
    {40, 67, "{}", "{}"},    {40, 68, "{}", "{}"},    {40, 69, "{}", "{}"},   {33, 31, " b{}", " b{}"}, {33, 31, "\tb{}", " b{}"},
    {33, 31, "\nb{}", " b{}"}, {33, 31, "\rb{}", " b{}"}, {33, 31, "(b)", "(b)"},
    {33, 31, "[b]", "[b]"},  {33, 31, "'b'", "'b'"},  {33, 31, "\"b\"", "\"b\""},
    {33, 31, ";b", ";b"},    {33, 31, "/**/b", " b"},  {33, 31, "@b", "@b"},
    {33, 31, "}b", "}b"},    {33, 31, "\x01" "b", "\x01" "b"},
    {33, 31, "\x0c" "b", "\x0c" "b"}, {33, 31, "\x80\xff" "b;", "\x80\xff" "b"},
    {33, 31, ":b,c.d#e>f+g~h*i!j", ":b,c.d#e>f+g~h*i!j"},
    // A whole block follows a run that ends on a block boundary, with the
    // output one byte short of a block behind: a block stored ahead there
    // would overwrite the byte that ends the run.
    {15, 16, "{abcdefghijklmnopqrstuvwxyz0123456789}", "{abcdefghijklmnopqrstuvwxyz0123456789}"},
    {15, 32, "{abcdefghijklmnopqrstuvwxyz0123456789}", "{abcdefghijklmnopqrstuvwxyz0123456789}"},
    {31, 32, "{abcdefghijklmnopqrstuvwxyz0123456789}", "{abcdefghijklmnopqrstuvwxyz0123456789}"},
    {31, 64, "{abcdefghijklmnopqrstuvwxyz0123456789}", "{abcdefghijklmnopqrstuvwxyz0123456789}"},
};

TEST_F(CssScanPaths, RunStoppedAtEachOffset) {
    for (const RunCase &c : kRunCases) {
        const std::string input = Gap(c.gap) + Name(c.length) + std::string(c.tail);
        const std::string expected = Name(c.length) + std::string(c.tailOut);
        for (ScanPath path : kPaths)
            EXPECT_EQ(CompressSheet(path, input), expected)
                << ::testing::PrintToString(c) << ", path " << static_cast<int>(path);
    }
}

// The text ends inside a run, or a run stops within the last block before
// the end, where a whole block no longer fits.
const RunCase kEndCases[] = {
    {0, 15, "", ""},        {0, 16, "", ""},        {0, 17, "", ""},
    {0, 33, "", ""},        {20, 15, "", ""},       {20, 16, "", ""},
    {20, 17, "", ""},       {40, 31, "", ""},       {40, 32, "", ""},
    {40, 33, "", ""},       {40, 63, "", ""},       {40, 64, "", ""},
    {40, 65, "", ""},       {40, 50, " x", " x"},   {40, 50, "{x}", "{x}"},
    {40, 60, ";", ""},      {40, 45, " abcdefghijklmnopqrstuvwxyz0123",
                             " abcdefghijklmnopqrstuvwxyz0123"},
    {20, 40, "'abc", "'abc"}, {40, 20, "/* abc", ""},
};

TEST_F(CssScanPaths, RunNearTheEnd) {
    for (const RunCase &c : kEndCases) {
        const std::string input = Gap(c.gap) + Name(c.length) + std::string(c.tail);
        const std::string expected = Name(c.length) + std::string(c.tailOut);
        for (ScanPath path : kPaths)
            EXPECT_EQ(CompressSheet(path, input), expected)
                << ::testing::PrintToString(c) << ", path " << static_cast<int>(path);
    }
}

struct TextCase {
    std::string input;
    std::string expected;
};

// Whole sheets whose decisions depend on what a copied run left behind: the
// last byte written, "url(" and a folded literal.
const TextCase kSheetCases[] = {
    {"/* head comment long enough */ .navbar-expand-lg .navbar-nav .dropdown-menu { position : "
     "absolute ; margin : 0 -1px }",
     ".navbar-expand-lg .navbar-nav .dropdown-menu{position:absolute;margin:0-1px}"},
    {Gap(40) + "a{background:url( " + Name(40) + ".png )}",
     "a{background:url(" + Name(40) + ".png)}"},
    {Gap(40) + "a{content:'" + Name(33) + "' + '" + Name(17) + "'}",
     "a{content:'" + Name(33) + Name(17) + "'}"},
    {Gap(40) + "@media screen and (max-width:100px){" + Name(20) + " :hover{}}",
     "@media screen and (max-width:100px){" + Name(20) + " :hover{}}"},
    {Gap(40) + ".a{width:calc(" + Name(17) + " - 10px)}",
     ".a{width:calc(" + Name(17) + " - 10px)}"},
};

TEST_F(CssScanPaths, WholeSheets) {
    for (const TextCase &c : kSheetCases)
        for (ScanPath path : kPaths)
            EXPECT_EQ(CompressSheet(path, c.input), c.expected)
                << c.input << ", path " << static_cast<int>(path);
}

// White space behind ";", "{" and "}", which ends an item, followed by each
// mark that may ask for a space; inside brackets, behind a spaced sign and
// at the end of the text the marks are not where an item ends.
const TextCase kItemEndCases[] = {
    {"a{b:c;\n  -d:e}", "a{b:c;-d:e}"},
    {"a{b:c;\n  +d:e}", "a{b:c;+d:e}"},
    {"a{\n  *zoom:1}", "a{*zoom:1}"},
    {"a{b:c}\n*{d:e}", "a{b:c}*{d:e}"},
    {"a{b:c}\n:root{d:e}", "a{b:c}:root{d:e}"},
    {"a{b:c}\n[x]{d:e}", "a{b:c}[x]{d:e}"},
    {"a{b:c}\n&.x{d:e}", "a{b:c}&.x{d:e}"},
    {"a{b:c}\n(x)", "a{b:c}(x)"},
    {"a{b:c}\n\"x\"", "a{b:c}\"x\""},
    {"a{b:c; /* x */ -d:e}", "a{b:c;-d:e}"},
    {"@media x{\n  .a{b:c}\n  .d .e{f:g}\n}", "@media x{.a{b:c}.d .e{f:g}}"},
    {"a{\n  b:c;\n  &:hover{d:e}\n  f g{h:i}\n}", "a{b:c;&:hover{d:e}f g{h:i}}"},
    {"a{b:f(1; -2)}", "a{b:f(1;-2)}"},
    {"a{b:f(1; - 2)}", "a{b:f(1; - 2)}"},
    {"a{b:f(1{ - 2)}", "a{b:f(1{ - 2)}"},
    {"a{b:c; \n", "a{b:c"},
    {"a{ ", "a{"},
    {"a{b:c}\r\n", "a{b:c}"},
};

TEST_F(CssScanPaths, WhiteSpaceWhereAnItemEnds) {
    for (const TextCase &c : kItemEndCases)
        for (ScanPath path : kPaths)
            EXPECT_EQ(CompressSheet(path, c.input), c.expected)
                << c.input << ", path " << static_cast<int>(path);
}

// Style sheets inside an HTML document, in a style element and in a style
// attribute, where the piece ends in the middle of the buffer.
const TextCase kEmbeddedCases[] = {
    {"<style>" + Gap(40) + Name(33) + " { a : b }</style><p>x",
     "<style>" + Name(33) + "{a:b}</style><p>x"},
    {"<style>" + Gap(20) + Name(31) + "</style>", "<style>" + Name(31) + "</style>"},
    {"<p style=\"color : red ; " + Name(40) + " : " + Name(17) + " ;\">x",
     "<p style=color:red;" + Name(40) + ":" + Name(17) + ">x"},
    {"<p style=\"a : b ;\n  -c : d ;\n  e : f ; \">x", "<p style=a:b;-c:d;e:f>x"},
    {"<style>a{b:c}\n  *{d:e}\n</style>", "<style>a{b:c}*{d:e}</style>"},
};

TEST_F(CssScanPaths, EmbeddedInHtml) {
    CompressOptions options;
    options.compressStyles = true;
    for (const TextCase &c : kEmbeddedCases)
        for (ScanPath path : kPaths)
            EXPECT_EQ(CompressOn(path, c.input,
                                 [&options](char *text, ProgressCursor progress) {
                                     CompressHtml(text, options, progress);
                                 }),
                      c.expected)
                << c.input << ", path " << static_cast<int>(path);
}

} // namespace
} // namespace crv::test
