// CompressHtml: tag and attribute names are known whatever their case, and
// only then. Short names are keyed from one word read at their first byte,
// so each case is followed by enough text for that reading; the near misses
// differ from a known name in a byte that is no letter, a byte from 0x80 up,
// or a control byte in front of an attribute name.
#include <string>

#include <gtest/gtest.h>

#include "tests/compress/html/html_test_support.h"

namespace crv::test {
namespace {

class HtmlNameCase : public ::testing::TestWithParam<Case> {};

TEST_P(HtmlNameCase, Compresses) {
    const std::string tail = std::string(40, ' ') + "<p>end";
    EXPECT_EQ(Compress(std::string(GetParam().input) + tail),
              std::string(GetParam().expected) + "<p>end");
}

const Case kTagNames[] = {
    {"w <BR>z", "w<BR>z"},
    {"w <Br>z", "w<Br>z"},
    {"w </DIV> z", "w</DIV>z"},
    {"w<DiV> z", "w<DiV>z"},
    {"w <IMG> z", "w <IMG> z"},
    {"w <SPAN> z", "w <SPAN> z"},
    {"<p>a</AREA> b", "<p>a b"},
    {"<p>a</BR> b", "<p>a</BR> b"},
    {"<SCRIPT>a < b</SCRIPT>", "<SCRIPT>a < b</SCRIPT>"},
    {"<Style>p { }</Style>", "<Style>p { }</Style>"},
    {"<TEXTAREA> a  b </TEXTAREA>", "<TEXTAREA> a  b </TEXTAREA>"},
    {"<TITLE> a  <b> </TITLE>", "<TITLE>a <b></TITLE>"},
    {"<PRE> a  b </PRE> c", "<PRE> a  b </PRE>c"},
    {"w <br@>z", "w <br@>z"},
    {"w <br`>z", "w <br`>z"},
    {"w <\xC2r>z", "w <\xC2r>z"},
    {"w <b\xD2>z", "w <b\xD2>z"},
};
INSTANTIATE_TEST_SUITE_P(TagNames, HtmlNameCase, ::testing::ValuesIn(kTagNames));

const Case kAttributeNames[] = {
    {"<INPUT DISABLED=DISABLED>", "<INPUT DISABLED>"},
    {"<input Checked='checked'>", "<input Checked>"},
    {"<input DisabLed>", "<input DisabLed>"},
    {"<a ONCLICK=\"f( 1 )\">x</a>", "<a ONCLICK=\"f(1)\">x</a>"},
    {"<a OnClick=\"f( 1 )\">x</a>", "<a OnClick=\"f(1)\">x</a>"},
    {"<p STYLE=\"color : red\">x</p>", "<p STYLE=color:red>x</p>"},
    {"<p Style=\"color : red\">x</p>", "<p Style=color:red>x</p>"},
    {"<input \x0F" "disabled=\"\">", "<input \x0F" "disabled=\"\">"},
    {"<input \x0F" "div=\"x\">", "<input \x0F" "div=x>"},
    {"<input \x01" "checked>", "<input \x01" "checked>"},
    {"<p \x0F" "onclick=\"f( 1 )\">", "<p \x0F" "onclick=\"f( 1 )\">"},
    {"<p \x13" "style=\"a : b\">", "<p \x13" "style=\"a : b\">"},
    {"<input disabled@=\"\">", "<input disabled@=\"\">"},
    {"<input disabled`=\"\">", "<input disabled`=\"\">"},
    {"<input \xC4" "isabled=\"\">", "<input \xC4" "isabled=\"\">"},
};
INSTANTIATE_TEST_SUITE_P(AttributeNames, HtmlNameCase, ::testing::ValuesIn(kAttributeNames));

} // namespace
} // namespace crv::test
