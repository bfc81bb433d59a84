// CompressHtml: finding where a tag ends, tags that turn out to be text, end
// tags that go, and the self-closing slash.
#include <string>

#include <gtest/gtest.h>

#include "tests/compress/html/html_test_support.h"

namespace crv::test {
namespace {

class HtmlTagScan : public ::testing::TestWithParam<Case> {};

TEST_P(HtmlTagScan, Compresses) { EXPECT_EQ(Compress(GetParam().input), GetParam().expected); }

const Case kTagScan[] = {
    {"<p\nclass=a\tid=b\r\n>x", "<p class=a id=b>x"},
    {"<a title = 'c' href= e>", "<a title=c href=e>"},
    {"<P CLASS=x>", "<P CLASS=x>"},
    {"<a title='x > y'>z", "<a title='x > y'>z"},
    {"<a title=\"it's <b>\">z", "<a title=\"it's <b>\">z"},
    {"<a title=it's>x</a> y", "<a title=it's>x</a> y"},
    {"<a b\"c>d\">e", "<a b\"c>d\">e"},
    {"<a 'b' c>d", "<a 'b' c>d"},
    {"<a =b>c", "<a =b>c"},
    {"<a b=>c", "<a b>c"},
    {"<a b= >c", "<a b>c"},
    {"<a x=\"1 2\"y=\"3 4\">", "<a x=\"1 2\"y=\"3 4\">"},
    {"<a x=\"1\"y=\"2\">", "<a x=1 y=2>"},
    {"<a x=\"1\"checked=\"checked\"y=\"3 4\">", "<a x=1 checked y=\"3 4\">"},
    {"<?xml version=\"1.0\"?>", "<?xml version=1.0 ?>"},
    {"</ p>", "</ p>"},
    {"</>x", "</>x"},
};
INSTANTIATE_TEST_SUITE_P(TagScan, HtmlTagScan, ::testing::ValuesIn(kTagScan));

// A "<" outside a quoted value before the tag's ">" makes what was read text.
const Case kAbandonedTags[] = {
    {"<a href=x <p>y", "<a href=x<p>y"},
    {"<a title='<b>' <p>y", "<a title='<b>'<p>y"},
    {"a <b c=<d>e", "a <b c=<d>e"},
    {"<a<b>c", "<a<b>c"},
};
INSTANTIATE_TEST_SUITE_P(AbandonedTags, HtmlTagScan, ::testing::ValuesIn(kAbandonedTags));

// A tag is written while it is read, into the room that removed bytes left
// before it; what turns out to be text must come out as that text.
const Case kAbandonedAfterRemovedBytes[] = {
    {"<p>                    <a href=x title='y  z' <p>w", "<p><a href=x title='y z'<p>w"},
    {"<p>                    <a onclick='f( 1 )' <b>w", "<p><a onclick='f( 1 )' <b>w"},
    {"<p>                    <a style='a : b' <b>w", "<p><a style='a : b' <b>w"},
    {"<p>                    <a onclick='f( 1 )' title=\"x", "<p>"},
    {"<p>          <a b=c d=e f=g h=i j=k l=m <b>", "<p><a b=c d=e f=g h=i j=k l=m <b>"},
    {"<p>                    <a title='x'y", "<p>"},
};
INSTANTIATE_TEST_SUITE_P(AbandonedAfterRemovedBytes, HtmlTagScan,
                         ::testing::ValuesIn(kAbandonedAfterRemovedBytes));

// A tag that meets the end of the document is dropped, as a browser drops it;
// the text before it is still written.
const Case kUnfinishedTags[] = {
    {"<p>x<b", "<p>x"},
    {"<p", ""},
    {"hi <p title='x>y", "hi"},
    {"<p>a <b title=\"x", "<p>a"},
    {"<p>a<b c=", "<p>a"},
};
INSTANTIATE_TEST_SUITE_P(UnfinishedTags, HtmlTagScan, ::testing::ValuesIn(kUnfinishedTags));

// End tags of elements without one go, except "</br>", a line break to a
// browser.
const Case kEndTags[] = {
    {"<br />x<br/>y</br>z</img><p>", "<br>x<br/>y</br>z<p>"},
    {"a</BR>b", "a</BR>b"},
    {"a</br >b", "a</br>b"},
    {"a</IMG>b</input>c</p>", "abc</p>"},
    {"a </hr> b", "a b"},
};
INSTANTIATE_TEST_SUITE_P(EndTags, HtmlTagScan, ::testing::ValuesIn(kEndTags));

// "/>" after white space or a quote ends a self-closing tag. Elements without
// an end tag lose the slash; others keep it, after a space where the value
// in front of it has no quotes.
const Case kSelfClosing[] = {
    {"<path d=\"M0 0 L1 1\"/>", "<path d=\"M0 0 L1 1\"/>"},
    {"<circle r=\"1\"/>", "<circle r=1 />"},
    {"<circle r=\"1\" />", "<circle r=1 />"},
    {"<circle r=1 />", "<circle r=1 />"},
    {"<circle r=1/>", "<circle r=1/>"},
    {"<br />", "<br>"},
    {"<img src=\"a.gif\"/>", "<img src=a.gif>"},
    {"<IMG SRC='a.gif' />", "<IMG SRC=a.gif>"},
    {"<div />", "<div/>"},
    {"<x a />", "<x a/>"},
    {"<x a=\"b c\"  />", "<x a=\"b c\"/>"},
    {"<x checked=\"checked\"/>", "<x checked/>"},
    {"<svg><use href=\"#i\"/></svg>", "<svg><use href=#i /></svg>"},
    {"</p />", "</p>"},
    {"<br/>", "<br/>"},
};
INSTANTIATE_TEST_SUITE_P(SelfClosing, HtmlTagScan, ::testing::ValuesIn(kSelfClosing));

// Long names match no list entry and are kept; a long event handler's name
// still begins with "on".
TEST(HtmlTagScanLongNames, KeptAndUnmatched) {
    const std::string tag(300, 'p');
    EXPECT_EQ(Compress("a <" + tag + "> b"), "a <" + tag + ">b");
    EXPECT_EQ(Compress("a </" + tag + "> b"), "a </" + tag + ">b");
    const std::string attribute = "on" + std::string(300, 'x');
    EXPECT_EQ(Compress("<a " + attribute + "='f( 1 )'>"), "<a " + attribute + "='f(1)'>");
    const std::string longest(255, 'x');
    EXPECT_EQ(Compress("<a " + longest + "='y'>"), "<a " + longest + "=y>");
}

} // namespace
} // namespace crv::test
