// CompressHtml under each scan path: the stretches found many bytes at a time
// (text, attribute values, names) must end where the byte-wise reading ends
// them, whatever the offset of the stopping byte within a block, however
// close to the end of the document it falls, and however far the output
// already trails the input.
#include <initializer_list>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "compress/byte_scan.h"
#include "tests/compress/html/html_test_support.h"

namespace crv::test {
namespace {

constexpr ScanPath kPaths[] = {ScanPath::kScalar, ScanPath::kSse2, ScanPath::kAvx2};

// Offsets of the stopping byte: each side of the 8, 16 and 32-byte blocks.
constexpr int kOffsets[] = {0, 1, 7, 8, 9, 15, 16, 17, 31, 32, 33, 63, 64, 65};

// White space at the start of a document goes, so this many leading spaces
// make the output trail the input by as many bytes.
constexpr int kLeads[] = {0, 1, 7, 15, 16, 31, 33};

// Fills a pattern: "~" becomes count bytes of words with single spaces
// between them ("abc abc a"), "@" count bytes of letters alone.
std::string Fill(std::string_view pattern, int count) {
    std::string words;
    std::string letters;
    for (int i = 0; i < count; ++i) {
        words += i % 4 == 3 && i != count - 1 ? ' ' : static_cast<char>('a' + i % 3);
        letters += static_cast<char>('a' + i % 26);
    }
    std::string filled;
    for (char c : pattern) {
        if (c == '~')
            filled += words;
        else if (c == '@')
            filled += letters;
        else
            filled += c;
    }
    return filled;
}

class HtmlScanPath : public ::testing::TestWithParam<Case> {
  protected:
    void TearDown() override { UseScanPath(BestScanPath()); }

    static void ExpectEveryPathAgrees(const Case &c, const CompressOptions &options = {}) {
        for (ScanPath path : kPaths) {
            const ScanPath used = UseScanPath(path);
            for (int offset : kOffsets) {
                const std::string input = Fill(c.input, offset);
                const std::string expected = Fill(c.expected, offset);
                for (int lead : kLeads)
                    EXPECT_EQ(Compress(std::string(static_cast<std::size_t>(lead), ' ') + input,
                                       options),
                              expected)
                        << "path " << static_cast<int>(used) << ", offset " << offset
                        << ", lead " << lead << ": \"" << input << '"';
            }
        }
    }
};

TEST_P(HtmlScanPath, GivesTheSameOutputOnEveryPath) { ExpectEveryPathAgrees(GetParam()); }

// Text: a stretch of words ends at white space to fold, at markup, at a "<"
// that is text, or at the end of the document, here or in the last bytes.
const Case kText[] = {
    {"<p>w~  x</p>", "<p>w~ x</p>"},
    {"<p>w~\n\tx</p>", "<p>w~ x</p>"},
    {"<p>w~ <b>x</b>", "<p>w~ <b>x</b>"},
    {"<p>w~ </p>", "<p>w~</p>"},
    {"<p>~<br>x", "<p>~<br>x"},
    {"<p>w~ < x</p>", "<p>w~ < x</p>"},
    {"<p>~<2 x", "<p>~<2 x"},
    {"<p>~\x0b x", "<p>~\x0b x"},
    {"<p>w@ x@  x@", "<p>w@ x@ x@"},
    {"~", "~"},
    {"~  ", "~"},
    {"w~ x", "w~ x"},
    {"~\n", "~"},
    {"<b>x</b> w~", "<b>x</b> w~"},
    {"<b>w~</b>\n\t <i>x</i>\n <p>", "<b>w~</b> <i>x</i><p>"},
    {"<p> ~ ", "<p>~"},
    {"<title> w~  x </title>", "<title>w~ x</title>"},
    {"<title>w~ <b> x</title>", "<title>w~ <b> x</title>"},
};
INSTANTIATE_TEST_SUITE_P(Text, HtmlScanPath, ::testing::ValuesIn(kText));

// Attribute values: the closing quote, or a byte that keeps the quotes, at
// any offset; a value without its closing quote runs to the end. A control
// byte is no keeper, near the end of the text or well before it.
const Case kAttributeValues[] = {
    {"<a title=\"w@\">x", "<a title=w@>x"},
    {"<a title='w@'>x", "<a title=w@>x"},
    {"<a title=\"w@ x\">x", "<a title=\"w@ x\">x"},
    {"<a title=\"w~ x\" id=\"w@\">", "<a title=\"w~ x\" id=w@>"},
    {"<a title='w@>'>", "<a title='w@>'>"},
    {"<a title=\"w@'\">", "<a title=\"w@'\">"},
    {"<a title='w@\"'>", "<a title='w@\"'>"},
    {"<a title=\"w@\fx\">", "<a title=\"w@\fx\">"},
    {"<a title=\"w@\x01x\">", "<a title=w@\x01x>"},
    {"<a title=\"w@\x1f\x0b\">", "<a title=w@\x1f\x0b>"},
    {"<a title=\"w@\x01\x1f\tx\">", "<a title=\"w@\x01\x1f\tx\">"},
    {"<a title=\"\x02w@\x03\">", "<a title=\x02w@\x03>"},
    {"<a title=\"w@\x01", ""},
    {"<a title=\"w@\x01x\">0123456789 0123456789 0123456789 0123456789",
     "<a title=w@\x01x>0123456789 0123456789 0123456789 0123456789"},
    {"<a title=\"\x02w@\x1f x\">0123456789 0123456789 0123456789 0123456789",
     "<a title=\"\x02w@\x1f x\">0123456789 0123456789 0123456789 0123456789"},
    {"<a title='w@\x0b'>0123456789 0123456789 0123456789 0123456789",
     "<a title=w@\x0b>0123456789 0123456789 0123456789 0123456789"},
    {"<a title=\"w@\"x=\"w@\">", "<a title=w@ x=w@>"},
    {"<a title=\"w@", ""},
    {"<p>x <a title=\"w@", "<p>x"},
    {"<a href=w@ title=w@>", "<a href=w@ title=w@>"},
    {"<a href=w@", ""},
};
INSTANTIATE_TEST_SUITE_P(AttributeValues, HtmlScanPath, ::testing::ValuesIn(kAttributeValues));

// The commonest attribute shape, one space, a name and a double-quoted value
// (` title="w@"`), is read and written on a short path; every near miss
// takes the general one, and both must give what the general one gives: the
// quotes dropped unless the value needs them, a boolean attribute by its
// name, a script or style value compressed, a tag that meets "<" or the end
// of the text left as text.
const Case kPlainAttributes[] = {
    {"<a title=\"w@\" id=\"w@\">x", "<a title=w@ id=w@>x"},
    {"<a TITLE=\"w@\" Id=\"x\">x", "<a TITLE=w@ Id=x>x"},
    {"<a title=\"\" id=\"w@\">", "<a title=\"\" id=w@>"},
    {"<a title=\"w~ x\" id=\"w@\">", "<a title=\"w~ x\" id=w@>"},
    {"<a title=\"w@ \">", "<a title=\"w@ \">"},
    {"<a title=\"w@\nx\">", "<a title=\"w@\nx\">"},
    {"<a title=\"w@>x\">", "<a title=\"w@>x\">"},
    {"<a title=\"w@'x\">", "<a title=\"w@'x\">"},
    {"<a href=\"?w@&amp;x=1\">", "<a href=?w@&amp;x=1>"},
    {"<a  title=\"w@\"\tid=\"w@\"\n>", "<a title=w@ id=w@>"},
    {"<a title = \"w@\" id= \"x\">", "<a title=w@ id=x>"},
    {"<a id=\"x\"title=\"w@\">", "<a id=x title=w@>"},
    {"<a id=\"x y\"title=\"w@\">", "<a id=\"x y\"title=w@>"},
    {"<a data-w@=\"x\" :w@=\"y\" _w@=\"z\">", "<a data-w@=x :w@=y _w@=z>"},
    {"<input disabled=\"disabled\" title=\"w@\">", "<input disabled title=w@>"},
    {"<a style=\"color : red\" title=\"w@\">", "<a style=color:red title=w@>"},
    {"<a onclick=\"f( 1 )\" title=\"w@\">", "<a onclick=\"f(1)\" title=w@>"},
    {"<div title=\"w@\"/>x", "<div title=w@ />x"},
    {"<br title=\"w@\"/>x", "<br title=w@>x"},
    {"<a title=\"w@\" <b>x", "<a title=\"w@\" <b>x"},
    {"<a title=\"w@\" id=\"w@", ""},
    {"<p>x <a title=\"w@\"", "<p>x"},
};
INSTANTIATE_TEST_SUITE_P(PlainAttributes, HtmlScanPath, ::testing::ValuesIn(kPlainAttributes));

// A value is read from the 32 bytes at its start at once: only the bytes
// before its closing quote may keep the quotes, not a space, a tab, a ">" or
// the other quote that follows it in the same bytes; a control byte before
// the quote sends the value to the byte-wise reading, which must agree.
const Case kValueWindow[] = {
    {"<a title='w@' id=\"x\">", "<a title=w@ id=x>"},
    {"<a title=\"w@\"\n>x", "<a title=w@>x"},
    {"<a title=\"w@\"\tid='x>'>", "<a title=w@ id='x>'>"},
    {"<a title=\"\" id=\"w@ x\">", "<a title=\"\" id=\"w@ x\">"},
    {"<a title=\"w@\x01\" id=\"x y\">", "<a title=w@\x01 id=\"x y\">"},
    {"<a title=\"w@\" id=\"\x01 x\">", "<a title=w@ id=\"\x01 x\">"},
    {"<a title='x y@'>", "<a title='x y@'>"},
    {"<a title=\"x>@\">", "<a title=\"x>@\">"},
};
INSTANTIATE_TEST_SUITE_P(ValueWindow, HtmlScanPath, ::testing::ValuesIn(kValueWindow));

// Tag and attribute names of any length, ended by each byte that ends one;
// an "=" belongs to a tag's name.
const Case kNames[] = {
    {"<w@ x>y", "<w@ x>y"},
    {"<w@>y", "<w@>y"},
    {"<w@/>y", "<w@/>y"},
    {"<w@\ty>", "<w@ y>"},
    {"<a w@=x w@ w@='y'>", "<a w@=x w@ w@=y>"},
    {"<a w@ = \"x y\">", "<a w@=\"x y\">"},
    {"<a w@", ""},
    {"<w@", ""},
    {"<a w@<b>", "<a w@<b>"},
    {"<a href=x title=\"w@\" id=w@<b>y", "<a href=x title=\"w@\" id=w@<b>y"},
    {"<a href=x w@ title='y'<b>", "<a href=x w@ title='y'<b>"},
    {"<SPANw@ x>", "<SPANw@ x>"},
    {"<w@\x0b x>y", "<w@\x0b x>y"},
    {"x <BR\x01>  y <br\x01>", "x <BR\x01>y <br\x01>"},
    {"x <P>  w@ <p\x01>", "x<P>w@ <p\x01>"},
    {"x <P>  w@ <p>", "x<P>w@<p>"},
    {"x <P=>  w@ <p=1>", "x <P=>w@ <p=1>"},
    {"<w@=x>y", "<w@=x>y"},
    {"<w@= x  =y>", "<w@= x=y>"},
    {"<a=w@ x>", "<a=w@ x>"},
};
INSTANTIATE_TEST_SUITE_P(Names, HtmlScanPath, ::testing::ValuesIn(kNames));

// Content found by its end tag: scripts, styles and comments, copied.
const Case kContent[] = {
    {"<script>~</script> <p>", "<script>~</script><p>"},
    {"<script>~", "<script>~"},
    {"<style>~</style>", "<style>~</style>"},
    {"<textarea> ~ </textarea>", "<textarea> ~ </textarea>"},
    {"<!-- ~ --> x", "<!-- ~ -->x"},
    {"<pre> ~  </pre> x", "<pre> ~  </pre>x"},
    {"<script////////////////////> <p> ~</script> x", "<script////////////////////> <p> ~</script> x"},
    {"<TITLE/> <p> w~  x</title> y", "<TITLE/><p> w~ x</title>y"},
};
INSTANTIATE_TEST_SUITE_P(Content, HtmlScanPath, ::testing::ValuesIn(kContent));

// Script and style content and attributes, compressed in place by their own
// compressors while the text around them is moved.
TEST_F(HtmlScanPath, CompressedScriptsAndStylesKeepTheirPlace) {
    CompressOptions options;
    options.compressScripts = true;
    options.compressStyles = true;
    options.protectEvents = false;
    for (const Case &c : std::initializer_list<Case>{
             {"<p>w~  x<script> var a = 1 ; </script> w~",
              "<p>w~ x<script>var a=1</script> w~"},
             {"<style> p { color : red } </style>w~  x", "<style>p{color:red}</style>w~ x"},
             {"<a style=\"color : red\" title=\"w@\">~", "<a style=color:red title=w@>~"},
             {"<a onclick=\"f( 1 )\" title='w@'>w~ x", "<a onclick=f(1) title=w@>w~ x"},
             {"<a style=\"a:b\" title='w@'>w~", "<a style=a:b title=w@>w~"},
             {"<a onclick='f(\"w@\")'>w~", "<a onclick='f(\"w@\")'>w~"},
         })
        ExpectEveryPathAgrees(c, options);
}

} // namespace
} // namespace crv::test
