// CompressHtml: content that is not read as markup. Script and style content,
// textarea values, title text, everything after plaintext, and pre, listing
// and xmp.
#include <gtest/gtest.h>

#include "tests/compress/html/html_test_support.h"

namespace crv::test {
namespace {

struct ContentCase {
    CompressOptions properties;
    std::string_view input;
    std::string_view expected;
};

void PrintTo(const ContentCase &c, std::ostream *os) { *os << '"' << c.input << '"'; }

class HtmlContent : public ::testing::TestWithParam<ContentCase> {};

TEST_P(HtmlContent, Compresses) {
    EXPECT_EQ(Compress(GetParam().input, GetParam().properties), GetParam().expected);
}

const CompressOptions kAsCreated{};
const CompressOptions kScripts{.compressScripts = true};
const CompressOptions kHiddenScripts{.compressScripts = true, .hideScripts = true};
const CompressOptions kStyles{.compressStyles = true};
const CompressOptions kAll{.deleteComments = true,
                      .compressScripts = true,
                      .compressStyles = true,
                      .hideScripts = true};

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

// Only JavaScript goes to the script compressor: no type, an empty one,
// "module" or a JavaScript MIME type (any case, parameters aside), or without
// a type a language that starts with "javascript". Everything else is a data
// block or another language and stays byte for byte, hidden or not.
const ContentCase kScriptTypes[] = {
    {kScripts, "<script>a = 1 ;</script>", "<script>a=1</script>"},
    {kScripts, "<script type=module>a = 1 ;</script>", "<script type=module>a=1</script>"},
    {kScripts, "<script type=' MODULE '>a = 1</script>", "<script type=' MODULE '>a=1</script>"},
    {kScripts, "<script type=\"text/javascript; charset=utf-8\">a = 1</script>",
     "<script type=\"text/javascript; charset=utf-8\">a=1</script>"},
    {kScripts, "<script type='Text/JavaScript'>a = 1</script>",
     "<script type=Text/JavaScript>a=1</script>"},
    {kScripts, "<script type=\"\">a = 1</script>", "<script type=\"\">a=1</script>"},
    {kScripts, "<script type>a = 1</script>", "<script type>a=1</script>"},
    {kScripts, "<script type=application/x-javascript>a = 1</script>",
     "<script type=application/x-javascript>a=1</script>"},
    {kScripts, "<script type=text/ecmascript>a = 1</script>",
     "<script type=text/ecmascript>a=1</script>"},
    {kScripts, "<script type=text/javascript1.5>a = 1</script>",
     "<script type=text/javascript1.5>a=1</script>"},
    {kScripts, "<script language=JavaScript1.2>a = 1</script>",
     "<script language=JavaScript1.2>a=1</script>"},
    {kScripts, "<script type=text/javascript language=vbscript>a = 1</script>",
     "<script type=text/javascript language=vbscript>a=1</script>"},
    {kScripts, "<script type=text/javascript type=text/template>a = 1</script>",
     "<script type=text/javascript type=text/template>a=1</script>"},
    {kScripts,
     "<script type=\"text/template\"><a href=\"x\">see http://example.com/a</a>\n"
     "<p>it's</p></script>",
     "<script type=text/template><a href=\"x\">see http://example.com/a</a>\n"
     "<p>it's</p></script>"},
    {kAll, "<script type=text/x-handlebars-template>\n<!--\n {{a}} // b\n--></script>",
     "<script type=text/x-handlebars-template>\n<!--\n {{a}} // b\n--></script>"},
    {kAll, "<script type=\"application/ld+json\">{ \"a\" : 1 }</script>",
     "<script type=application/ld+json>{ \"a\" : 1 }</script>"},
    {kAll, "<script type=importmap>{ \"imports\" : { } }</script>",
     "<script type=importmap>{ \"imports\" : { } }</script>"},
    {kAll, "<script type=text/vbscript> x = 1 </script>",
     "<script type=text/vbscript> x = 1 </script>"},
    {kAll, "<script type=text/x-mathjax-config> MathJax.Hub.Config({ }) </script>",
     "<script type=text/x-mathjax-config> MathJax.Hub.Config({ }) </script>"},
    {kAll, "<script language=vbscript> x = 1 </script>",
     "<script language=vbscript> x = 1 </script>"},
    {kAll, "<script type=text/vbscript language=javascript> x = 1 </script>",
     "<script type=text/vbscript language=javascript> x = 1 </script>"},
    {kAll, "<script type=text/javascript1.6> x = 1 </script>",
     "<script type=text/javascript1.6> x = 1 </script>"},
    {kAll, "<script type='module; a'> x = 1 </script>",
     "<script type='module; a'> x = 1 </script>"},
    {kAll, "<script type=' '> x = 1 </script>", "<script type=' '> x = 1 </script>"},
    {kAll, "<script type='text/javascript x'> x = 1 </script>",
     "<script type='text/javascript x'> x = 1 </script>"},
};
INSTANTIATE_TEST_SUITE_P(ScriptTypes, HtmlContent, ::testing::ValuesIn(kScriptTypes));

// Only a missing, empty or "text/css" type (any case) makes a style sheet.
const ContentCase kStyleTypes[] = {
    {kStyles, "<style media=print>a { b : c }</style>", "<style media=print>a{b:c}</style>"},
    {kStyles, "<style type=''>a { b : c }</style>", "<style type=''>a{b:c}</style>"},
    {kStyles, "<style type=TEXT/CSS>a { b : c }</style>", "<style type=TEXT/CSS>a{b:c}</style>"},
    {kAll, "<style type=text/less>a { b : c }</style>",
     "<style type=text/less>a { b : c }</style>"},
    {kAll, "<style type='text/css; charset=utf-8'>a { b : c }</style>",
     "<style type='text/css; charset=utf-8'>a { b : c }</style>"},
};
INSTANTIATE_TEST_SUITE_P(StyleTypes, HtmlContent, ::testing::ValuesIn(kStyleTypes));

// Raw text ends only at its own end tag: the name, then white space, "/" or
// ">", in any case. "</scripts>" in a string is script text.
const ContentCase kRawTextEnd[] = {
    {kAsCreated, "<script>var a = \"</scripts>\";\nvar b = 1\n</script>\n<p>",
     "<script>var a = \"</scripts>\";\nvar b = 1\n</script><p>"},
    {kScripts, "<script>var a = \"</scripts>\";\nvar b = 1\nvar c = 2\n</script>",
     "<script>var a=\"</scripts>\";var b=1\rvar c=2</script>"},
    {kStyles, "<style>a { b : '</styles>' }</style>", "<style>a{b:'</styles>'}</style>"},
    {kAsCreated, "<script>a</SCRIPT\n>b", "<script>a</SCRIPT>b"},
    {kAsCreated, "<script>a</script/>b", "<script>a</script/>b"},
    {kAsCreated, "<script>a</script\f>b", "<script>a</script\f>b"},
    {kAsCreated, "<textarea>a</textareas> b</textarea>", "<textarea>a</textareas> b</textarea>"},
    {kAsCreated, "<title>a</titles> b</title>", "<title>a</titles> b</title>"},
};
INSTANTIATE_TEST_SUITE_P(RawTextEnd, HtmlContent, ::testing::ValuesIn(kRawTextEnd));

// After "<!--" in a script, "<script" ... "</script>" is script text up to
// "-->", as browsers read it; a script that holds such an end tag needs its
// "<!--" and is copied as it is. Text after the script shows where it ended.
const ContentCase kEscapedScript[] = {
    {kScripts, "<script><!--\ndocument.write('<script src=x></script>');\n//--></script> a  b",
     "<script><!--\ndocument.write('<script src=x></script>');\n//--></script> a b"},
    {kAsCreated, "<script><!--<script>--></script> a  b", "<script><!--<script>--></script> a b"},
    {kAsCreated, "<script><!--><script></script> a  b", "<script><!--><script></script> a b"},
    {kAsCreated, "<script><!--<scripts></script> a  b", "<script><!--<scripts></script> a b"},
    {kAsCreated, "<script><!--<script>-></script> a  b", "<script><!--<script>-></script> a  b"},
    {kAsCreated, "<script><!--<SCRIPT/></SCRIPT>---></script> a  b",
     "<script><!--<SCRIPT/></SCRIPT>---></script> a b"},
    {kScripts, "<script>\n<!--\n a = '<script>' ;\n//-->\n</script> b  c",
     "<script>a='<script>'</script> b c"},
    {kStyles, "<style><!--<script></style> a  b", "<style><!--<script></style>a b"},
};
INSTANTIATE_TEST_SUITE_P(EscapedScript, HtmlContent, ::testing::ValuesIn(kEscapedScript));

// A title's content is text, whatever it looks like: its white space folds,
// and markup in it is neither rewritten nor removed.
const ContentCase kTitle[] = {
    {kAsCreated, "<title>\n  a  <b  id = x>  c\n</title>\n<p>",
     "<title>a <b id = x> c</title><p>"},
    {kAll, "<TITLE>a <!-- b --> c</Title>", "<TITLE>a <!-- b --> c</Title>"},
    {kAll, "<title>a <script> b = 1 </script></title>",
     "<title>a <script> b = 1 </script></title>"},
    {kAsCreated, "<title> a  b ", "<title>a b"},
};
INSTANTIATE_TEST_SUITE_P(Title, HtmlContent, ::testing::ValuesIn(kTitle));

// A browser ignores the slash of "<title/>": the element's content still runs
// to its end tag.
const ContentCase kSlashAfterName[] = {
    {kAsCreated, "<title/>\n</head>\n<body>\n</body>", "<title/></head> <body> </body>"},
    {kScripts, "<script/>a = 1 ;</script>", "<script/>a=1</script>"},
    {kAsCreated, "<textarea/> a  <b> </textarea>", "<textarea/> a  <b> </textarea>"},
    {kAll, "<style//>a { b : c }</style>", "<style//>a{b:c}</style>"},
};
INSTANTIATE_TEST_SUITE_P(SlashAfterName, HtmlContent, ::testing::ValuesIn(kSlashAfterName));

// Only the names of those elements open such content, whatever their case,
// however many slashes end them and whatever shares their first bytes.
const ContentCase kContentNames[] = {
    {kScripts, "<SCRIPT////////////>a = 1 ;</script>", "<SCRIPT////////////>a=1</script>"},
    {kStyles, "<Style//////////////>a { b : c }</style>", "<Style//////////////>a{b:c}</style>"},
    {kAsCreated, "<title//////////////> a  <b  id = x> </title>",
     "<title//////////////>a <b id = x></title>"},
    {kScripts, "<scripts>a = 1 ;</scripts>", "<scripts>a = 1 ;</scripts>"},
    {kScripts, "<scrip>a = 1 ;</scrip>", "<scrip>a = 1 ;</scrip>"},
    {kStyles, "<stylesheet>a { b : c }</stylesheet>", "<stylesheet>a { b : c }</stylesheet>"},
    {kAsCreated, "<titles> a  <b  id = x> </titles>", "<titles>a <b id=x></titles>"},
    {kAsCreated, "<textareas> a  <b  id = x> </textareas>", "<textareas>a <b id=x></textareas>"},
    {kAsCreated, "<plain> a  <b  id = x> </plain>", "<plain>a <b id=x></plain>"},
    {kAsCreated, "<PlainText> a  <b> </plaintext>", "<PlainText> a  <b> </plaintext>"},
};
INSTANTIATE_TEST_SUITE_P(ContentNames, HtmlContent, ::testing::ValuesIn(kContentNames));

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
