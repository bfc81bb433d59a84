// CompressHtml: the attribute rewrite. Which attributes stay, what happens to
// a value of each kind, and when a value keeps its quotes.
#include <gtest/gtest.h>

#include "tests/compress/html/html_test_support.h"

namespace crv::test {
namespace {

class HtmlAttribute : public ::testing::TestWithParam<Case> {};

TEST_P(HtmlAttribute, Compresses) { EXPECT_EQ(Compress(GetParam().input), GetParam().expected); }

const Case kRewrite[] = {
    {"<td nowrap='nowrap' title='a b' alt='' value='x'>",
     "<td nowrap title='a b' alt='' value=x>"},
    {"<input type=checkbox checked disabled='disabled' foo>",
     "<input type=checkbox checked disabled foo>"},
    {"<img alt='' src='a.gif'><img title=''>", "<img alt='' src=a.gif><img title=''>"},
    {"<option SELECTED=\"selected\">", "<option SELECTED>"},
    {"<input TYPE=\"text\" Value=\"a b\">", "<input TYPE=text Value=\"a b\">"},
    {"<a\n\thref='x'\n\ttitle='y'\n>", "<a href=x title=y>"},
};
INSTANTIATE_TEST_SUITE_P(Rewrite, HtmlAttribute, ::testing::ValuesIn(kRewrite));

// The name decides what becomes of an attribute whether it is read in one
// word with the byte that ends it (shorter than eight bytes, with room after
// it), byte by byte (eight bytes or more, a control byte in it, or the last
// bytes of the text), and whatever its case: a boolean one loses its value,
// a style or event handler value is told by it.
const Case kNamesReadEitherWay[] = {
    {"<a hidden=1>", "<a hidden>"},
    {"<a HIDDEN='hidden' id=x>", "<a HIDDEN id=x>"},
    {"<a hidden>", "<a hidden>"},
    {"<a x hidden>", "<a x hidden>"},
    {"<a nowrap\t=\t1>", "<a nowrap>"},
    {"<a selected=1>", "<a selected>"},
    {"<a SeLeCtEd=1 readonly=1>", "<a SeLeCtEd readonly>"},
    {"<a hidden\x01=1>", "<a hidden\x01=1>"},
    {"<a \x01hidden=1>", "<a \x01hidden=1>"},
    {"<a =hidden>", "<a =hidden>"},
    {"<a =\"ab\">text", "<a =\"ab\">text"},
    {"<a ==1 hidden=\"x\">", "<a ==1 hidden>"},
    {"<a hidden<b>", "<a hidden<b>"},
    {"<a ONCLICK=\"f()\">", "<a ONCLICK=\"f()\">"},
    {"<a onclickhandler=\"f()\">", "<a onclickhandler=\"f()\">"},
    {"<a title=x href=\"y\" src='z'>", "<a title=x href=y src=z>"},
};
INSTANTIATE_TEST_SUITE_P(NamesReadEitherWay, HtmlAttribute,
                         ::testing::ValuesIn(kNamesReadEitherWay));

// Quotes stay where an unquoted value would read differently: white space or
// ">" would end it, a quote would open it, and an empty one would take the
// next attribute for its value.
const Case kQuotesKept[] = {
    {"<a title='a>b'>x", "<a title='a>b'>x"},
    {"<a title='\"hi\"'>", "<a title='\"hi\"'>"},
    {"<a title=\"it's\">", "<a title=\"it's\">"},
    {"<a title='a\tb'>", "<a title='a\tb'>"},
    {"<a title='a\fb'>", "<a title='a\fb'>"},
    {"<a class=\"\" id=x>", "<a class=\"\" id=x>"},
    {"<a title=\"a=b\">", "<a title=a=b>"},
    {"<a href=\"x/\">", "<a href=x/>"},
    {"<a href=\"/a/b?c=d&amp;e=f\">", "<a href=/a/b?c=d&amp;e=f>"},
};
INSTANTIATE_TEST_SUITE_P(QuotesKept, HtmlAttribute, ::testing::ValuesIn(kQuotesKept));

// An attribute without a value is written by its name alone, known or not.
const Case kWithoutValue[] = {
    {"<input required>", "<input required>"},
    {"<script async src=a.js></script>", "<script async src=a.js></script>"},
    {"<div v-cloak>", "<div v-cloak>"},
    {"<input  autofocus  disabled >", "<input autofocus disabled>"},
    {"<a b c d>", "<a b c d>"},
    {"<a b\n=\n>", "<a b>"},
};
INSTANTIATE_TEST_SUITE_P(WithoutValue, HtmlAttribute, ::testing::ValuesIn(kWithoutValue));

// An empty alt tells a screen reader that the image is decoration.
const Case kEmptyAlt[] = {
    {"<img alt=\"\">", "<img alt=\"\">"},
    {"<img src=a.gif alt=''>", "<img src=a.gif alt=''>"},
    {"<img ALT=''>", "<img ALT=''>"},
};
INSTANTIATE_TEST_SUITE_P(EmptyAlt, HtmlAttribute, ::testing::ValuesIn(kEmptyAlt));

// Text attributes and unknown ones are left as they are; event handlers are
// compressed as scripts and style attributes as style declarations.
const Case kValueKinds[] = {
    {"<div class='a  b' style='color: red ; '>", "<div class='a  b' style=color:red>"},
    {"<td width='100' height=' 20 '>", "<td width=100 height=' 20 '>"},
    {"<font face='Arial, Helvetica'>", "<font face='Arial, Helvetica'>"},
    {"<a title='  a  b  '>", "<a title='  a  b  '>"},
    {"<a data-tpl='<b>x</b>'>", "<a data-tpl='<b>x</b>'>"},
    {"<a data-x='a+b'>", "<a data-x=a+b>"},
    {"<p style='margin: 0  auto'>", "<p style='margin:0 auto'>"},
    {"<p STYLE=\"a: b\">", "<p STYLE=a:b>"},
    {"<p style=' '>", "<p style=''>"},
    {"<p style=\"color : red\">", "<p style=color:red>"},
    {"<p style='background : url( a//b ) no-repeat'>", "<p style=background:url(a//b)no-repeat>"},
    {"<a onclick=\"\">", "<a onclick=\"\">"},
    {"<a href='p.html' onclick='go( 1 );'>x</a>", "<a href=p.html onclick='go(1)'>x</a>"},
    {"<a ONCLICK=\"a = 1\">", "<a ONCLICK=\"a=1\">"},
    {"<a onclick=\"f( 'a b' )\">", "<a onclick=\"f('a b')\">"},
    {"<a oN='a = 1'>", "<a oN='a=1'>"},
    {"<a one='a = 1'>", "<a one='a=1'>"},
    {"<a o='a = 1'>", "<a o='a = 1'>"},
    {"<a no='a = 1'>", "<a no='a = 1'>"},
    {"<a onsixteenbytes16='a = 1'>", "<a onsixteenbytes16='a=1'>"},
    {"<a onseventeenbytes7='a = 1'>", "<a onseventeenbytes7='a=1'>"},
    {"<a ONAVERYLONGEVENTNAME='a = 1'>", "<a ONAVERYLONGEVENTNAME='a=1'>"},
    {"<a data-seventeen-x='a = 1'>", "<a data-seventeen-x='a = 1'>"},
    {"<p styles='a : b'>", "<p styles='a : b'>"},
};
INSTANTIATE_TEST_SUITE_P(ValueKinds, HtmlAttribute, ::testing::ValuesIn(kValueKinds));

// A value with a character reference is left as it is: the ";" that ends the
// reference stays, and quotes written as references keep their string.
const Case kCharacterReferences[] = {
    {"<a onclick=\"s = &apos;a&apos;\">", "<a onclick=\"s = &apos;a&apos;\">"},
    {"<a onclick=\"f(&apos;a  b&apos;)\">", "<a onclick=\"f(&apos;a  b&apos;)\">"},
    {"<a onclick='f(&#39;a&#39;) ;'>", "<a onclick='f(&#39;a&#39;) ;'>"},
    {"<p style=\"font-family: &apos;Foo&apos;\">", "<p style=\"font-family: &apos;Foo&apos;\">"},
    {"<p style='content:&#x27;a&#x27;;'>", "<p style=content:&#x27;a&#x27;;>"},
    {"<a onclick=\"v = x & amp\">", "<a onclick=\"v = x & amp\">"},
    {"<a onclick=\"a = 1 ;\">", "<a onclick=\"a=1\">"},
};
INSTANTIATE_TEST_SUITE_P(CharacterReferences, HtmlAttribute,
                         ::testing::ValuesIn(kCharacterReferences));

TEST(HtmlAttributeEvents, LoseTheirQuotesWhenUnprotected) {
    const CompressOptions unprotected{.protectEvents = false};
    EXPECT_EQ(Compress("<a href='p.html' onclick='go( 1 );'>x</a>", unprotected),
              "<a href=p.html onclick=go(1)>x</a>");
    EXPECT_EQ(Compress("<a onclick='return  x'>", unprotected), "<a onclick='return x'>");
    EXPECT_EQ(Compress("<a onclick=' '>", unprotected), "<a onclick=''>");
    EXPECT_EQ(Compress("<a onclick='a>b'>", unprotected), "<a onclick='a>b'>");
    EXPECT_EQ(Compress("<a onclick='f(&#x27;a&#x27;);'>", unprotected),
              "<a onclick=f(&#x27;a&#x27;);>");
}

// In an attribute a "<" is ordinary script text: no old-browser wrapper is
// taken off or put on, and "<!" ends nothing.
const Case kLessThanInHandlers[] = {
    {"<a onclick=\"<b>x</b>\">", "<a onclick=\"<b>x</b>\">"},
    {"<a onclick=\"x = 1 <!--y\">", "<a onclick=\"x=1<!--y\">"},
    {"<a onclick=\" <!-- x\">", "<a onclick=\"<!--x\">"},
};
INSTANTIATE_TEST_SUITE_P(LessThanInHandlers, HtmlAttribute,
                         ::testing::ValuesIn(kLessThanInHandlers));

TEST(HtmlAttributeEvents, NeverGetTheScriptWrapper) {
    const CompressOptions hiding{.hideScripts = true};
    EXPECT_EQ(Compress("<a onclick=\"<b>x</b>\">", hiding), "<a onclick=\"<b>x</b>\">");
    EXPECT_EQ(Compress("<a onclick='<'>", hiding), "<a onclick='<'>");
}

} // namespace
} // namespace crv::test
