// CompressCss: what it makes of style sheets, and how it treats its buffer.
#include <atomic>
#include <ostream>
#include <string>
#include <string_view>
#include <thread>

#include <gtest/gtest.h>

#include "compress/script/css_compressor.h"
#include "tests/compress/guarded_run.h"

namespace crv::test {
namespace {

// Runs the compressor on a copy of input with `before` in front of it and
// guard bytes behind its terminator; checks that it stayed inside the text.
std::string Compress(std::string_view input, char before = '>',
                     Placement placement = Placement::kDocument) {
    return crvtest::RunGuarded(input, before, [placement](char *text, ProgressCursor progress) {
        CompressCss(text, placement, progress);
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
    {"a/**/b", "a b"},
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

// White space that ends an escape belongs to the name: an escaped space
// stays as it is, and a hex escape takes one white-space character (CR LF
// as one), behind which a descendant combinator still needs its own.
const Case kEscapedWhiteSpace[] = {
    {".a\\ {color:red}", ".a\\ {color:red}"},
    {".a\\  b{c:d}", ".a\\  b{c:d}"},
    {".a\\\tb{c:d}", ".a\\\tb{c:d}"},
    {".\\31  a{c:d}", ".\\31  a{c:d}"},
    {".\\31 a{c:d}", ".\\31 a{c:d}"},
    {".\\31\ta{c:d}", ".\\31 a{c:d}"},
    {".\\31\r\n a{c:d}", ".\\31  a{c:d}"},
    {"a{b:c\\ }", "a{b:c\\ }"},
    {".\\\\31 a{c:d}", ".\\\\31 a{c:d}"},
    {".a\\\\ b{c:d}", ".a\\\\ b{c:d}"},
    {".\\1234567 a{c:d}", ".\\1234567 a{c:d}"},
    {".\\1234567  {c:d}", ".\\1234567{c:d}"},
};
INSTANTIATE_TEST_SUITE_P(EscapedWhiteSpace, CssCompressor, ::testing::ValuesIn(kEscapedWhiteSpace));

// A custom property's value may go into calc() through var(), where a sign
// with space on both sides is an operator and "1px +2px" two operands.
const Case kCustomPropertySigns[] = {
    {":root{--gap: 1px + 2px}", ":root{--gap:1px + 2px}"},
    {":root{--gap:100% - 10px;--y:a - b}", ":root{--gap:100% - 10px;--y:a - b}"},
    {".a{--v: 1 - 2; b: 3 - 4}", ".a{--v:1 - 2;b:3-4}"},
    {":root{--x: 1px -2px}", ":root{--x:1px -2px}"},
    {".a{color:red;& + .b{c:d}}", ".a{color:red;&+.b{c:d}}"},
    {"a + b{--x:c}", "a+b{--x:c}"},
};
INSTANTIATE_TEST_SUITE_P(CustomPropertySigns, CssCompressor, ::testing::ValuesIn(kCustomPropertySigns));

// A comment is no white space here, so punctuation closes up over it; only
// two name characters that would run into one name keep a space between.
const Case kDroppedComments[] = {
    {"a{margin:0/**/auto}", "a{margin:0 auto}"},
    {"a{margin:0/* top */auto}", "a{margin:0 auto}"},
    {"a{width:1/**/em}", "a{width:1 em}"},
    {"a{b:x/**/-y}", "a{b:x -y}"},
    {"a /**/b{x:y}", "a b{x:y}"},
    {"a/**/ b{x:y}", "a b{x:y}"},
    {"a/**//**/b{x:y}", "a b{x:y}"},
    {"a/**/.b{x:y}", "a.b{x:y}"},
    {"a/**/:hover{x:y}", "a:hover{x:y}"},
    {"html>/**/body{x:y}", "html>body{x:y}"},
    {"a{b:c}/**/d{e:f}", "a{b:c}d{e:f}"},
    {"a{b:c/**/}", "a{b:c}"},
    {"/**/a{b:c}", "a{b:c}"},
    {"a{b:c}//x\nd{e:f}", "a{b:c}d{e:f}"},
    {"@media screen and/**/(max-width:1px){a{b:c}}", "@media screen and (max-width:1px){a{b:c}}"},
    {"@scope (.a) to/*c*/(.b){img{c:d}}", "@scope (.a) to (.b){img{c:d}}"},
    {"a{b:f(x)/**/(y)}", "a{b:f(x)(y)}"},
};
INSTANTIATE_TEST_SUITE_P(DroppedComments, CssCompressor, ::testing::ValuesIn(kDroppedComments));

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

// Inside a block, an item that is a nested style rule keeps the spaces of a
// selector; a declaration loses them, as in an unnested block.
const Case kNestedRules[] = {
    {".card { color : red ; & .title { font-weight : 700 ; } }",
     ".card{color:red;& .title{font-weight:700}}"},
    {".card { .icon & { display : none ; } }", ".card{.icon &{display:none}}"},
    {".card { & div { margin : 0 ; } }", ".card{& div{margin:0}}"},
    {".a { @media (width >= 600px) { padding : 1px } }", ".a{@media (width>=600px){padding:1px}}"},
    {".a { & .b { @media print { color : red ; .c .d { } } } }",
     ".a{& .b{@media print{color:red;.c .d{}}}}"},
    {".card { div .x { } }", ".card{div .x{}}"},
    {".a { a:hover { color : red } }", ".a{a:hover{color:red}}"},
    {".a { &:hover .x { } }", ".a{&:hover .x{}}"},
    {".a { & > .x { } }", ".a{&>.x{}}"},
    {".a { & + .x { } }", ".a{&+.x{}}"},
    {".a { color : red ; .b { } }", ".a{color:red;.b{}}"},
    {".a { color : red !important ; & .b { } }", ".a{color:red !important;& .b{}}"},
    {".a { --x : { a : b } ; & .b { } }", ".a{--x:{a:b};& .b{}}"},
    {".a { --x : a b ; }", ".a{--x:a b}"},
    {".a { background : url(a:b) ; & .b { } }", ".a{background:url(a:b);& .b{}}"},
    {".a { margin : 0 auto ; & .b { } }", ".a{margin:0 auto;& .b{}}"},
    {".a { :hover .b { } }", ".a{:hover .b{}}"},
    {".a { p ::before { } }", ".a{p ::before{}}"},
    {".a { div :hover { } }", ".a{div :hover{}}"},
    {".a { color :red ; }", ".a{color:red}"},
    {".a { margin :0 }", ".a{margin:0}"},
    {".a { div:not(.b) .c { } }", ".a{div:not(.b) .c{}}"},
    {".a { b:url(x) no-repeat ; }", ".a{b:url(x)no-repeat}"},
    {".a{b:f(x) c \"{\" d}", ".a{b:f(x)c\"{\"d}"},
    {".a{b:f(x) c /* { */ ; d :hover{}}", ".a{b:f(x)c;d :hover{}}"},
    {".a{b:c}.d :hover{}", ".a{b:c}.d :hover{}"},
    {"@font-face { src : url(a) format('woff') }", "@font-face{src:url(a)format('woff')}"},
    {"@keyframes k { from { top : 0 } 50% { top : 1px } }",
     "@keyframes k{from{top:0}50%{top:1px}}"},
    // Each first character that makes an item a rule, where reading ahead
    // alone would find a declaration.
    {".a { &b :c ; }", ".a{&b :c}"},
    {".a { .b :c ; }", ".a{.b :c}"},
    {".a { #b :c ; }", ".a{#b :c}"},
    {".a { :b :c ; }", ".a{:b :c}"},
    {".a { [b] :c ; }", ".a{[b] :c}"},
    {".a { *b :c ; }", ".a{*b :c}"},
    {".a { >b :c ; }", ".a{>b :c}"},
    {".a { +b :c ; }", ".a{+b :c}"},
    {".a { ~b :c ; }", ".a{~b :c}"},
    {".a { |b :c ; }", ".a{|b :c}"},
    {".a { @b :c ; }", ".a{@b :c}"},
    {".a { b :c ; }", ".a{b:c}"},
};
INSTANTIATE_TEST_SUITE_P(NestedRules, CssCompressor, ::testing::ValuesIn(kNestedRules));

// Telling a rule from a declaration reads ahead a bounded distance; an item
// whose end lies further on keeps the spaces of a selector.
TEST(CssCompressorNesting, LongItemKeepsItsSpaces) {
    const std::string tail(300, 'z');
    EXPECT_EQ(Compress(".a{b:f(c) " + tail + "}"), ".a{b:f(c) " + tail + "}");
    EXPECT_EQ(Compress(".a{b:f(c) " + tail.substr(0, 200) + "}"),
              ".a{b:f(c)" + tail.substr(0, 200) + "}");
}

// An unquoted url() is copied as it stands but for white space at its ends.
const Case kUrls[] = {
    {".a { background : url(data:image/png;base64,AA//BB==) no-repeat }",
     ".a{background:url(data:image/png;base64,AA//BB==)no-repeat}"},
    {"x{b:url( a//b )}", "x{b:url(a//b)}"},
    {"x{b:URL( a/*b*/c )}", "x{b:URL(a/*b*/c)}"},
    {"x{b:url( \"a//b\" )}", "x{b:url(\"a//b\")}"},
    {"x{b:url( 'a//b' )}", "x{b:url('a//b')}"},
    {"x{b:url(a\\)//b) c}", "x{b:url(a\\)//b)c}"},
    {"x{b:url(a  b)}", "x{b:url(a  b)}"},
    {"x{b:url()}", "x{b:url()}"},
    {"x{b:url(a//b", "x{b:url(a//b"},
    {"x{b:url( a//b  ", "x{b:url(a//b"},
    {"x{b:myurl(a /*c*/)}", "x{b:myurl(a)}"},
    {"url(//a)", "url(//a)"},
};
INSTANTIATE_TEST_SUITE_P(Urls, CssCompressor, ::testing::ValuesIn(kUrls));

std::string CompressDeclarations(std::string_view input) {
    return crvtest::RunGuarded(input, '"', [](char *text, ProgressCursor progress) {
        CompressCssDeclarations(text, progress);
    });
}

class CssDeclarations : public ::testing::TestWithParam<Case> {};

TEST_P(CssDeclarations, Compresses) {
    EXPECT_EQ(CompressDeclarations(GetParam().input), GetParam().expected);
}

// A style attribute's value: declarations, unless an item is a nested rule.
const Case kDeclarationLists[] = {
    {"color : red", "color:red"},
    {"color : red ; ", "color:red"},
    {"margin : 0  auto", "margin:0 auto"},
    {"color :red", "color:red"},
    {"background : url( a//b ) ; color : red", "background:url(a//b);color:red"},
    {"& .x { color : red }", "& .x{color:red}"},
    {"div :hover { }", "div :hover{}"},
};
INSTANTIATE_TEST_SUITE_P(DeclarationLists, CssDeclarations,
                         ::testing::ValuesIn(kDeclarationLists));

TEST(CssCompressorComments, KeptInAnAttributeValue) {
    EXPECT_EQ(Compress("a{b:c /* x */}", '>', Placement::kAttributeValue), "a{b:c/*x*/}");
    EXPECT_EQ(Compress("a{b:c}// x", '>', Placement::kAttributeValue), "a{b:c}//x");
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
    CompressCss(text, Placement::kDocument, ProgressCursor(cursor));
    done = true;
    reader.join();
    EXPECT_EQ(outside.load(), 0);
    EXPECT_EQ(std::string(text, 16), "a{b:'cd'}a{b:'cd");
}

TEST(CssCompressorBuffer, CursorIgnoresItsValueOnEntry) {
    char buffer[] = ">a { }";
    char *cursor = buffer + 5;
    CompressCss(buffer + 1, Placement::kDocument, ProgressCursor(cursor));
    EXPECT_EQ(std::string(buffer + 1, cursor), "a{}");
}

} // namespace
} // namespace crv::test
