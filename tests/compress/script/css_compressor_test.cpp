// CompressCss: what it makes of style sheets, and how it treats its buffer.
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "compress/script/css_compressor.h"
#include "tests/compress/guarded_run.h"

namespace {


// Runs the compressor on a copy of input with `before` in front of it and
// guard bytes behind its terminator; checks that it stayed inside the text.
std::string Compress(std::string_view input, char before = '>', std::uint8_t removeComments = 1) {
    return crvtest::RunGuarded(input, before, [removeComments](char *text, char **cursor) {
        CompressCss(text, removeComments, cursor, nullptr);
    });
}

struct Case {
    std::string_view input;
    std::string_view expected;
};

void PrintTo(const Case &c, std::ostream *os) { *os << '"' << c.input << '"'; }

class CssCompressor : public ::testing::TestWithParam<Case> {};

TEST_P(CssCompressor, Compresses) { EXPECT_EQ(Compress(GetParam().input), GetParam().expected); }

const Case kDocumentedCases[] = {
    {"a { color : red ; }", "a{color:red}"},
    {"a .b , c > d { margin : 0 -1px ; }", "a .b,c>d{margin:0-1px}"},
    {"h1 { color: red !important; }", "h1{color:red !important}"},
    {"p {font: 12px/1.5 a}", "p{font:12px/1.5 a}"},
    {"x{background:url( a://b )}", "x{background:url(a://b)}"},
    {"/* c */ p { } // x\nq{}", "p{}q{}"},
    {"a/**/b", "ab"},
    {"p{color:/* red */blue}", "p{color:/*red*/blue}"},
    // Outside blocks a space next to a star may be a combinator, so the kept
    // comment keeps its spaces there.
    {"color:/* red */blue", "color:/* red */blue"},
    {"a{b:c;;}", "a{b:c;}"},
    {"p{x:'a;b' ; }", "p{x:'a;b'}"},
    {"a{b:'x' + 'y'}", "a{b:'xy'}"},
    {"a{b:'</st' + 'yle'}", "a{b:'</st'+'yle'}"},
    {" \t\r\n ", ""},
    {"a;", "a"},
};
INSTANTIATE_TEST_SUITE_P(Documented, CssCompressor, ::testing::ValuesIn(kDocumentedCases));

const Case kMeaningKept[] = {
    {"a{margin:2px -1px}", "a{margin:2px -1px}"},
    {"@charset \"UTF-8\";  a { }", "@charset \"UTF-8\";a{}"},
    {"@CHARSET \"UTF-8\";", "@CHARSET\"UTF-8\""},
    {"a{margin:0 -1px}", "a{margin:0-1px}"},
    {"a ::selection{}", "a ::selection{}"},
    {"div :first-child{}", "div :first-child{}"},
    {"@media print { a :hover { b : c } }", "@media print{a :hover{b:c}}"},
    {"@-moz-document url-prefix() { a :hover {} }", "@-moz-document url-prefix(){a :hover{}}"},
    {"@SUPPORTS (x:y) { .a .b {} }", "@SUPPORTS (x:y){.a .b{}}"},
    {"@layer base; a { b : c }", "@layer base;a{b:c}"},
    {"@font-face { a : b }", "@font-face{a:b}"},
    {"@layers x { a : b }", "@layers x{a:b}"},
    {"@media print { a { b : c } d :e {} }", "@media print{a{b:c}d :e{}}"},
    {"@media screen and (max-width:100px){}", "@media screen and (max-width:100px){}"},
    {"@media (a) and (b) {}", "@media (a) and (b){}"},
    {"a{width:calc(100% - 10px)}", "a{width:calc(100% - 10px)}"},
    {"a{b:calc(1px + (2px * 3))}", "a{b:calc(1px + (2px * 3))}"},
    {"a{b:1 - 2}", "a{b:1-2}"},
    {"a{b:(1) - 2}", "a{b:(1)-2}"},
    {"a{b:url(//host/a.png)}", "a{b:url(//host/a.png)}"},
    {"div * p{}", "div * p{}"},
    {"a{b:2 * 3}", "a{b:2 * 3}"},
    {"a [href]{}", "a [href]{}"},
    {".x * {}", ".x *{}"},
    {"ul :hover{}", "ul :hover{}"},
    {"a{} ul :hover{}", "a{}ul :hover{}"},
    {":not(.a) .b{}", ":not(.a) .b{}"},
    {"a > b{}", "a>b{}"},
    {"div &{}", "div &{}"},
};
INSTANTIATE_TEST_SUITE_P(MeaningKept, CssCompressor, ::testing::ValuesIn(kMeaningKept));

const Case kFaults[] = {
    {"a{content:'it\\'s' }", "a{content:'it\\'s'}"},
    {"a{b:'a\\\\' ; c:d}", "a{b:'a\\\\';c:d}"},
    {"a{b:'x  ;", "a{b:'x  ;"},
    {"a{b:'x\\", "a{b:'x\\"},
    {"a{b:c} /* x", "a{b:c}"},
    {"a /*", "a"},
    {"a /*/ b */ c", "a c"},
    {"a{}//x\rb{}", "a{}b{}"},
    {"x{a:b}//", "x{a:b}"},
    {"", ""},
    {"a{b:'x' + ''} c{d:'e'}", "a{b:'x'}c{d:'e'}"},
    {"a{b:'x'+'y'+'z'}", "a{b:'xyz'}"},
    {"a{b:'x'+\"y\"}", "a{b:'x'+\"y\"}"},
    {"a{b:'</ST' + 'YLE'}", "a{b:'</ST'+'YLE'}"},
    {"+'a'", "+'a'"},
    {"} { a :b", "}{a :b"},
    {"a{b:'x' y+'z'}", "a{b:'x'y+'z'}"},
};
INSTANTIATE_TEST_SUITE_P(Faults, CssCompressor, ::testing::ValuesIn(kFaults));

TEST(CssCompressorComments, KeptWhenRemovalIsOff) {
    EXPECT_EQ(Compress("a{b:c /* x */}", '>', 0), "a{b:c/*x*/}");
    EXPECT_EQ(Compress("a{b:c}// x", '>', 0), "a{b:c}//x");
}

TEST(CssCompressorBuffer, ByteBeforeTextIsTheLastCharacter) {
    EXPECT_EQ(Compress("  b{}", 'a'), " b{}");
    EXPECT_EQ(Compress("b{}", 'a'), "b{}");
    EXPECT_EQ(Compress("  b{}", '>'), "b{}");
}

TEST(CssCompressorBuffer, NeverTakesBackTheByteBeforeText) {
    EXPECT_EQ(Compress("}", ';'), "}");
    EXPECT_EQ(Compress("", ';'), "");
    EXPECT_EQ(Compress("(", ' '), "(");
    EXPECT_EQ(Compress("+'a'", '\''), "+'a'");
}

// Progress is read from another thread while the call runs; every value seen
// lies between the byte before the text and the end of the input.
TEST(CssCompressorBuffer, CursorCanBeReadWhileRunning) {
    std::string sheet = ">";
    for (int i = 0; i < 20000; ++i)
        sheet += "a { b : 'c' + 'd' } /* e */ ";
    char *text = sheet.data() + 1;
    char *end = sheet.data() + sheet.size();
    char *cursor = nullptr;
    std::atomic<bool> done{false};
    std::atomic<int> outside{0};
    std::thread reader([&] {
        while (!done.load()) {
            char *at = std::atomic_ref<char *>(cursor).load(std::memory_order_relaxed);
            if (at != nullptr && (at < text - 1 || at > end))
                ++outside;
        }
    });
    CompressCss(text, 1, &cursor, nullptr);
    done = true;
    reader.join();
    EXPECT_EQ(outside.load(), 0);
    EXPECT_EQ(std::string(text, 16), "a{b:'cd'}a{b:'cd");
}

TEST(CssCompressorBuffer, CursorIgnoresItsValueOnEntry) {
    char buffer[] = ">a { }";
    char *cursor = buffer + 5;
    CompressCss(buffer + 1, 1, &cursor, nullptr);
    EXPECT_EQ(std::string(buffer + 1, cursor), "a{}");
}

} // namespace
