// CompressHtml: content that is not read as markup. Script and style content,
// textarea values, everything after plaintext, and pre, listing and xmp.
#include <gtest/gtest.h>

#include "tests/compress/html/html_test_support.h"

namespace crv::test {
namespace {

struct ContentCase {
    Properties properties;
    std::string_view input;
    std::string_view expected;
};

void PrintTo(const ContentCase &c, std::ostream *os) { *os << '"' << c.input << '"'; }

class HtmlContent : public ::testing::TestWithParam<ContentCase> {};

TEST_P(HtmlContent, Compresses) {
    EXPECT_EQ(Compress(GetParam().input, GetParam().properties), GetParam().expected);
}

const Properties kAsCreated{};
const Properties kScripts{.compressScripts = true};
const Properties kHiddenScripts{.compressScripts = true, .hideScripts = true};
const Properties kStyles{.compressStyles = true};

const ContentCase kScriptAndStyle[] = {
    {kAsCreated, "<script></script>", "<script></script>"},
    {kAsCreated, "<script>  a  =  1 ;\n</script>", "<script>  a  =  1 ;\n</script>"},
    {kAsCreated, "<SCRIPT>if (a<b) x='</p>'</SCRIPT >", "<SCRIPT>if (a<b) x='</p>'</SCRIPT>"},
    {kAsCreated, "<script>x</scripts>y", "<script>x</scripts>y"},
    {kAsCreated, "<style> p { color : red } </style>", "<style> p { color : red } </style>"},
    {kScripts, "<script language='JavaScript'>\n<!--\n var a = 1 ;\n// -->\n</script>\n<p>",
     "<script language=JavaScript>var a=1</script><p>"},
    {kHiddenScripts, "<script language='JavaScript'>\n<!--\n var a = 1 ;\n// -->\n</script>\n<p>",
     "<script language=JavaScript><!--\rvar a=1;//--></script><p>"},
    {kScripts, "<script>  </script>", "<script></script>"},
    {kScripts, "<script>a = '<p>  x'</script>", "<script>a='<p>  x'</script>"},
    {kStyles, "<style type='text/css'>\n p { color : red ; }\n</style>",
     "<style type=text/css>p{color:red}</style>"},
    {kStyles, "<STYLE>a { b : c }</Style>", "<STYLE>a{b:c}</Style>"},
    {kStyles, "<style>.card { & .title { b : c } }</style>", "<style>.card{& .title{b:c}}</style>"},
    {kStyles, "<style>a { b : url( x//y ) }</style>", "<style>a{b:url(x//y)}</style>"},
    {kScripts, "<style> a { b : c } </style>", "<style> a { b : c } </style>"},
    {kStyles, "<script> a = 1 </script>", "<script> a = 1 </script>"},
};
INSTANTIATE_TEST_SUITE_P(ScriptAndStyle, HtmlContent, ::testing::ValuesIn(kScriptAndStyle));

// Content without its end tag runs to the end of the document.
const ContentCase kUnclosedContent[] = {
    {kAsCreated, "<script>a  b", "<script>a  b"},
    {kScripts, "<script>a  =  b", "<script>a=b"},
    {kStyles, "<style>a { }", "<style>a{}"},
    {kAsCreated, "<textarea> a ", "<textarea> a "},
    {kAsCreated, "<pre> a  b", "<pre> a  b"},
};
INSTANTIATE_TEST_SUITE_P(UnclosedContent, HtmlContent, ::testing::ValuesIn(kUnclosedContent));

// A textarea's text is its field's value; the start tag is rewritten.
const ContentCase kTextarea[] = {
    {kAsCreated, "<textarea>  a  b  </textarea>", "<textarea>  a  b  </textarea>"},
    {kAsCreated, "<TEXTAREA NAME='x'> a <b> </TEXTAREA> c",
     "<TEXTAREA NAME=x> a <b> </TEXTAREA> c"},
    {kAsCreated, "x <textarea> a </textarea> y", "x <textarea> a </textarea> y"},
    {kAsCreated, "<textarea><!-- a --></textareas></textarea>",
     "<textarea><!-- a --></textareas></textarea>"},
};
INSTANTIATE_TEST_SUITE_P(Textarea, HtmlContent, ::testing::ValuesIn(kTextarea));

// pre, listing and xmp run to their own end tag and are copied as they are,
// markup included.
const ContentCase kVerbatim[] = {
    {kAsCreated, "<pre>  a\n  b </pre>", "<pre>  a\n  b </pre>"},
    {kAsCreated, "<pre> a <b> b </b> c </pre> d", "<pre> a <b> b </b> c </pre>d"},
    {kAsCreated, "<PRE>x</Pre >y", "<PRE>x</Pre>y"},
    {kAsCreated, "<xmp><p>  a  </p></xmp>", "<xmp><p>  a  </p></xmp>"},
    {kAsCreated, "<listing> a </b> b </listing>", "<listing> a </b> b </listing>"},
    {kAsCreated, "<pre>a</prefix> b</pre>", "<pre>a</prefix> b</pre>"},
    {kAsCreated, "<pre class='a'  id=b>x</pre>", "<pre class='a'  id=b>x</pre>"},
    {kAsCreated, "x <pre> a </pre>", "x<pre> a </pre>"},
    {kScripts, "<pre><script> a = 1 </script></pre>", "<pre><script> a = 1 </script></pre>"},
};
INSTANTIATE_TEST_SUITE_P(Verbatim, HtmlContent, ::testing::ValuesIn(kVerbatim));

const ContentCase kPlaintext[] = {
    {kAsCreated, "<plaintext>  <p> a  </p>\n", "<plaintext>  <p> a  </p>\n"},
    {kAsCreated, "a <PLAINTEXT class='x'> <!-- b", "a<PLAINTEXT class=x> <!-- b"},
    {kAsCreated, "<plaintext>", "<plaintext>"},
};
INSTANTIATE_TEST_SUITE_P(Plaintext, HtmlContent, ::testing::ValuesIn(kPlaintext));

} // namespace
} // namespace crv::test
