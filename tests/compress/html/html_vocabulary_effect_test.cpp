// CompressHtml: what membership of each vocabulary list does to a page, for
// members across each list and for names outside it, which a lost, misspelt
// or misplaced entry would change.
#include <gtest/gtest.h>

#include "tests/compress/html/html_test_support.h"

namespace crv::test {
namespace {

class HtmlVocabularyEffect : public ::testing::TestWithParam<Case> {};

TEST_P(HtmlVocabularyEffect, Compresses) {
    EXPECT_EQ(Compress(GetParam().input), GetParam().expected);
}

// An end tag of an element that has none is dropped ("</br>" aside, which
// browsers read as a line break).
const Case kNoEndTagElements[] = {
    {"<p>a</area> b", "<p>a b"},   {"<p>a</img> b", "<p>a b"},
    {"<p>a</input> b", "<p>a b"},  {"<p>a</param> b", "<p>a b"},
    {"<p>a</wbr> b", "<p>a b"},    {"<p>a</br> b", "<p>a</br> b"},
    {"<p>a</b> b", "<p>a</b> b"},  {"<p>a</span> b", "<p>a</span> b"},
};
INSTANTIATE_TEST_SUITE_P(NoEndTagElements, HtmlVocabularyEffect,
                         ::testing::ValuesIn(kNoEndTagElements));

// The space before the tag goes.
const Case kTrimBeforeTags[] = {
    {"w <applet>z", "w<applet>z"},     {"w </applet>z", "w</applet>z"},
    {"w <area>z", "w<area>z"},         {"w <br>z", "w<br>z"},
    {"w </div>z", "w</div>z"},         {"w <listing>z", "w<listing>z"},
    {"w <p>z", "w<p>z"},               {"w </textarea>z", "w</textarea>z"},
    {"w <xmp>z", "w<xmp>z"},           {"w <b>z", "w <b>z"},
    {"w <div>z", "w <div>z"},          {"w <img>z", "w <img>z"},
    {"w </script>z", "w </script>z"},  {"w <dl>z", "w <dl>z"},
};
INSTANTIATE_TEST_SUITE_P(TrimBeforeTags, HtmlVocabularyEffect,
                         ::testing::ValuesIn(kTrimBeforeTags));

// The tag is a word: a space on either side stays.
const Case kSpaceAfterTags[] = {
    {"w <img> z", "w <img> z"},       {"w <span> z", "w <span> z"},
    {"w </script> z", "w </script> z"}, {"w <input> z", "w <input> z"},
    {"w <object> z", "w <object> z"}, {"w <b> z", "w <b>z"},
    {"w <i> z", "w <i>z"},
};
INSTANTIATE_TEST_SUITE_P(SpaceAfterTags, HtmlVocabularyEffect,
                         ::testing::ValuesIn(kSpaceAfterTags));

// The white space after the tag goes.
const Case kTrimAfterTags[] = {
    {"w<applet> z", "w<applet>z"}, {"w</body> z", "w</body>z"},
    {"w<div> z", "w<div>z"},       {"w<dl> z", "w<dl>z"},
    {"w</listing> z", "w</listing>z"}, {"w<p> z", "w<p>z"},
    {"w</pre> z", "w</pre>z"},     {"w</xmp> z", "w</xmp>z"},
    {"w<b> z", "w<b> z"},          {"w<span> z", "w<span> z"},
};
INSTANTIATE_TEST_SUITE_P(TrimAfterTags, HtmlVocabularyEffect,
                         ::testing::ValuesIn(kTrimAfterTags));

// The content stays as it is up to the next end tag.
const Case kVerbatimElements[] = {
    {"<listing> a  <b>  c </listing>", "<listing> a  <b>  c </listing>"},
    {"<pre> a  <b>  c </pre>", "<pre> a  <b>  c </pre>"},
    {"<xmp> a  <b>  c </xmp>", "<xmp> a  <b>  c </xmp>"},
    {"<div> a  <b>  c </div>", "<div>a <b>c</div>"},
};
INSTANTIATE_TEST_SUITE_P(VerbatimElements, HtmlVocabularyEffect,
                         ::testing::ValuesIn(kVerbatimElements));

// The attribute is written by its name alone.
const Case kBooleanAttributes[] = {
    {"<input checked=\"checked\">", "<input checked>"},
    {"<input disabled=1 type=a>", "<input disabled type=a>"},
    {"<applet mayscript=yes>", "<applet mayscript>"},
    {"<img shapes=x>", "<img shapes>"},
    {"<option selected='selected'>", "<option selected>"},
    {"<input foo=\"foo\">", "<input foo=foo>"},
};
INSTANTIATE_TEST_SUITE_P(BooleanAttributes, HtmlVocabularyEffect,
                         ::testing::ValuesIn(kBooleanAttributes));

} // namespace
} // namespace crv::test
