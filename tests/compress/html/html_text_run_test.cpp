// CompressHtml: text between tags, and the white-space decision that passes
// from one text run to the next across tags.
#include <gtest/gtest.h>

#include "tests/compress/html/html_test_support.h"

namespace crv::test {
namespace {

class HtmlTextRun : public ::testing::TestWithParam<Case> {};

TEST_P(HtmlTextRun, Compresses) { EXPECT_EQ(Compress(GetParam().input), GetParam().expected); }

const Case kWhiteSpaceStates[] = {
    {"<p>a</p>\n<p>b</p>\n", "<p>a</p><p>b</p>"},
    {"<ul> <li>one</li> <li>two</li> </ul>", "<ul><li>one</li><li>two</li></ul>"},
    {"x <b><p>", "x<b><p>"},
    {"word <span> x </span> y<div>z</div> w <div> v</div>",
     "word <span> x </span>y<div>z</div>w <div>v</div>"},
    {"text <script>x</script> <p>", "text <script>x</script><p>"},
    {"<p>a \t\r\n b</p>", "<p>a b</p>"},
    {"<p>\xa0 x\x0b\x0c</p>", "<p>\xa0 x\x0b\x0c</p>"},
    {"a <b> c </b> d<p>", "a <b>c </b>d<p>"},
    {"<DIV> a </DIV> b", "<DIV>a</DIV>b"},
    {"a <div>b", "a <div>b"},
    {"<i>a</i> <input> b", "<i>a</i> <input> b"},
    {"<br> a", "<br>a"},
    {"a <b></b> <p>", "a<b></b><p>"},
    {"<b>a</b> <object> b", "<b>a</b> <object> b"},
};
INSTANTIATE_TEST_SUITE_P(WhiteSpaceStates, HtmlTextRun, ::testing::ValuesIn(kWhiteSpaceStates));

// Each kind of run ends with or without a pending space, which the markup
// after it keeps or takes back: a run of white space alone that writes its
// space or writes nothing, a run ending in text, one that goes on through a
// "<" that opened no tag, a title, and a comment between run and tag.
const Case kRunEnds[] = {
    {"<b>x</b> <p>y", "<b>x</b><p>y"},
    {"<b>x</b>\n\t<i>y</i>", "<b>x</b> <i>y</i>"},
    {"<p>x</p> <p>y", "<p>x</p><p>y"},
    {"<b>x</b> <br> <p>y", "<b>x</b><br><p>y"},
    {"<b>x</b> <!-- c --> <p>y", "<b>x</b><!-- c --><p>y"},
    {"<b>x</b> <!-- c --> <i>y", "<b>x</b> <!-- c --><i>y"},
    {"x <p>y", "x<p>y"},
    {"x <i>y", "x <i>y"},
    {"x <a href=y <p>z", "x <a href=y<p>z"},
    {"x <a href=y <i>z", "x <a href=y <i>z"},
    {"x <a href=y", "x"},
    {"<title> a </title> <p>y", "<title>a</title><p>y"},
    {"<title> a </title> <i>y", "<title>a</title><i>y"},
};
INSTANTIATE_TEST_SUITE_P(RunEnds, HtmlTextRun, ::testing::ValuesIn(kRunEnds));

// The text after the last tag is written like any run, without the white
// space at its end.
const Case kTextAfterLastTag[] = {
    {"  Hello   world  <p>  Next  </p>  tail", "Hello world<p>Next</p>tail"},
    {"a <b>bold</b> text <br> more <img src='x.gif'> end <p>x",
     "a <b>bold</b> text<br>more <img src=x.gif> end<p>x"},
    {"  Hello   world  ", "Hello world"},
    {"<b>x</b>  tail  \n", "<b>x</b> tail"},
    {"<b>x</b>   ", "<b>x</b>"},
    {"<p>x <b>  ", "<p>x <b>"},
    {"", ""},
    {" \t\r\n ", ""},
};
INSTANTIATE_TEST_SUITE_P(TextAfterLastTag, HtmlTextRun, ::testing::ValuesIn(kTextAfterLastTag));

// A "<" that cannot open markup is a character of the text.
const Case kLessThanInText[] = {
    {"x < y and y > z<p>", "x < y and y > z<p>"},
    {"x < y and y > z", "x < y and y > z"},
    {"a<b", "a"},
    {"1 <2 <p>", "1 <2<p>"},
    {"<> x <p>", "<> x<p>"},
    {"a <= b<br>", "a <= b<br>"},
    {"x < y 'q' <p>", "x < y 'q'<p>"},
    {"a <\n b", "a < b"},
};
INSTANTIATE_TEST_SUITE_P(LessThanInText, HtmlTextRun, ::testing::ValuesIn(kLessThanInText));

} // namespace
} // namespace crv::test
