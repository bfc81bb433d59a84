// CompressJavaScript: what it makes of scripts, and how it treats its buffer.
#include <ostream>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "compress/script/js_compressor.h"
#include "tests/compress/guarded_run.h"
#include "tests/compress/script/scan_paths.h"
#include "tests/support/guarded_buffer.h"

namespace crv::test {
namespace {

struct Options {
    char before = '>';
    Placement placement = Placement::kDocument;
    bool hideScripts = false;
};

// Runs the compressor on a copy of input with `before` in front of it and
// guard bytes behind its terminator; checks that it stayed inside the text.
std::string Compress(std::string_view input, Options options = {}) {
    CompressOptions switches;
    switches.hideScripts = options.hideScripts;
    return crvtest::RunGuarded(input, options.before, [&](char *text, ProgressCursor progress) {
        CompressJavaScript(text, options.placement, switches, progress);
    });
}

struct Case {
    std::string_view input;
    std::string_view expected;
};

void PrintTo(const Case &c, std::ostream *os) {
    *os << '"';
    for (char ch : c.input)
        *os << (ch == '\n' ? "\\n" : ch == '\r' ? "\\r" : std::string(1, ch));
    *os << '"';
}

class JsCompressor : public ::testing::TestWithParam<Case> {};

TEST_P(JsCompressor, Compresses) { EXPECT_EQ(Compress(GetParam().input), GetParam().expected); }

const Case kDocumentedCases[] = {
    {"var a = 1;\nvar b = 2;\n", "var a=1;var b=2"},
    {"return\nx", "return\rx"},
    {"x++\ny", "x++\ry"},
    {"a.\nb", "a.\rb"},
    {"x = a\n(c)", "x=a(c)"},
    {"a = b\n+ c", "a=b+c"},
    {"a\n.b", "a.b"},
    {"{\na\n}\nb", "{a}b"},
    {"foo(a,\n  b)", "foo(a,b)"},
    {"a /* c */ b", "a b"},
    {"a/*c*/b", "a b"},
    {"a /*/ b */ c", "a c"},
    {"var x = 1 // c", "var x=1"},
    {"a\n// c\nb", "a\rb"},
    {"a\n<!-- c\nb", "a\rb"},
    {"x = 'a' + 'b';", "x='ab'"},
    {"x = 'a' +\n'b';", "x='ab'"},
    {"x = 'a' + \"b\";", "x='a'+\"b\""},
    {"x = '</scr' + 'ipt>';", "x='</scr'+'ipt>'"},
    {"X = '</SCR' + 'IPT>';", "X='</SCR'+'IPT>'"},
    {"s = 'a\\'b'  ;", "s='a\\'b'"},
    {"x = /a\\//g;", "x=/a\\//g"},
    {"x = {a:1}\ny = 2", "x={a:1};y=2"},
    {"x = {a:1};y = 2", "x={a:1};y=2"},
    {"var f = function (a) {\n return a;\n}\nf(1);", "var f=function(a){return a};f(1)"},
    {"var f = function () {\n return 1;\n}();", "var f=function(){return 1}()"},
    {"if (a) {\n b;\n}\nelse {\n c;\n}", "if(a){b}else{c}"},
    {"<!--\nvar a = 1;\n//-->\n", "var a=1"},
    {"var a = 1;", "var a=1"},
    {" \t\r\n ", ""},
    {"x;", "x"},
};
INSTANTIATE_TEST_SUITE_P(Documented, JsCompressor, ::testing::ValuesIn(kDocumentedCases));

// One case per cell of the table of what a gap becomes, row by row: the
// previous token, the gap, then a word and punctuation behind it.
const Case kGapTable[] = {
    {"\n a", "a"},
    {"\n (a)", "(a)"},
    {"a b", "a b"},
    {"a (b)", "a(b)"},
    {"1 .x", "1 .x"},
    {"f(a\nb)", "f(a b)"},
    {"/a/ in b", "/a/ in b"},
    {"a\nb", "a\rb"},
    {"a\n(b)", "a(b)"},
    {"1\n.x", "1\r.x"},
    {"return\n(x)", "return\r(x)"},
    {"a\n++b", "a\r++b"},
    {"f() b", "f()b"},
    {"f() (b)", "f()(b)"},
    {"a + +b", "a+ +b"},
    {"f()\nb", "f()\rb"},
    {"f()\n(b)", "f()(b)"},
    {"a +\n+b", "a+\r+b"},
    {"'a'\n'b'", "'a'\r'b'"},
    {"a =\nb", "a=b"},
    {"a ;\n(b)", "a;(b)"},
    {"x = {}\nb", "x={};b"},
    {"x = {}\n'b'", "x={};'b'"},
    {"{a;}", "{a}"},
    {"for (;;);", "for(;;);"},
};
INSTANTIATE_TEST_SUITE_P(GapTable, JsCompressor, ::testing::ValuesIn(kGapTable));

const Case kSignsNeverFuse[] = {
    {"a + +b", "a+ +b"},
    {"a - -b", "a- -b"},
    {"a + ++b", "a+ ++b"},
    {"a++ + b", "a++ +b"},
    {"a+/**/+b", "a+ +b"},
    {"a +\n+b", "a+\r+b"},
    {"a++\n+b", "a++\r+b"},
    {"a + -b", "a+-b"},
};
INSTANTIATE_TEST_SUITE_P(SignsNeverFuse, JsCompressor, ::testing::ValuesIn(kSignsNeverFuse));

const Case kLineBreaksInNestedCode[] = {
    {"f(new\n X())", "f(new X())"},
    {"a)\n)\nb\nc", "a))b c"},
    {"g(x\ny)", "g(x y)"},
    {"f(function () {\n a()\n b()\n})", "f(function(){a()\rb()})"},
    {"f({\n a: 1,\n b: 2\n})", "f({a:1,b:2})"},
    {"f([function () {\n a\n}])\nb", "f([function(){a}])\rb"},
    {"}\na\nb", "}a\rb"},
    {"a\n/* c */ b", "a\rb"},
    {"a /* c\n */ b", "a\rb"},
    {"a\n// c\n/* d */ b", "a\rb"},
};
INSTANTIATE_TEST_SUITE_P(LineBreaksInNestedCode, JsCompressor,
                         ::testing::ValuesIn(kLineBreaksInNestedCode));

// The "}" of an object literal or of a function, arrow or class expression
// gets a ";" where the line break behind it ends the statement: first when,
// then which braces count, wherever an operand is due.
const Case kAssignedBlockSemicolon[] = {
    {"(x = {})", "(x={})"},
    {"a = {b:1}, c = 2;", "a={b:1},c=2"},
    {"x = {}\n'a'", "x={};'a'"},
    {"x = {}\n`a`", "x={}`a`"},
    {"x = {}\n(y)", "x={}(y)"},
    {"x = {a: {b: 1}}\ny", "x={a:{b:1}};y"},
    {"f = function(){}\n.call()", "f=function(){}.call()"},
    {"x = {}y", "x={}y"},
    {"x={}y", "x={}y"},
    {"x={}", "x={}"},
    {"f(x = function(){}\n)", "f(x=function(){})"},
    {"x = {a: 1}\n// c\ny", "x={a:1};y"},
    {"x = {a: 1} // c\ny", "x={a:1};y"},
    {"x = {a: 1} /* c */\ny", "x={a:1};y"},
    {"x = {a: 1} /* c\n */ y", "x={a:1};y"},
    {"x = {} /* c */ y", "x={}y"},
    {"x = {} instanceof Y", "x={}instanceof Y"},
    {"x = {}\ninstanceof Y", "x={}instanceof Y"},
    {"x = {}\nin y", "x={}in y"},
    {"x = {} 'a'", "x={};'a'"},
    {"x = {}\n!a", "x={};!a"},
    {"x = {}\n++a", "x={};++a"},
    {"x = {}\n{\n}", "x={};{}"},
    {"X.f = function name(a) {\n}\nY", "X.f=function name(a){};Y"},
    {"fn = fn || function (s) {\n}\nreturn", "fn=fn||function(s){};return"},
    {"f = async function () {\n}\ng", "f=async function(){};g"},
    {"f = function* () {\n}\ng", "f=function*(){};g"},
    {"f = function *gen() {\n}\ng", "f=function*gen(){};g"},
    {"f=function*gen(){}\ng", "f=function*gen(){};g"},
    {"x = function()\n{\n}\ny", "x=function(){};y"},
    {"x = function (a = {}, {b}) {\n}\ny", "x=function(a={},{b}){};y"},
    {"return function () {\n}\nx", "return function(){};x"},
    {"x = new function () {\n}\ny", "x=new function(){};y"},
    {"x = a ? b : function () {\n}\ny", "x=a?b:function(){};y"},
    {"f = () => {\n}\ng", "f=()=>{};g"},
    {"f = x => {\n}\n(g)", "f=x=>{};(g)"},
    {"f = x => {\n}\n[g]", "f=x=>{};[g]"},
    {"o = {f: () => {}\n}", "o={f:()=>{}}"},
    {"a ? () => {}\n: b", "a?()=>{}:b"},
    {"x = class {\n}\ny", "x=class{};y"},
    {"x = class A extends B {\n}\ny", "x=class A extends B{};y"},
    {"x = class extends mix({a: 1}) {\n}\ny", "x=class extends mix({a:1}){};y"},
    {"return {a: 1}\nx", "return{a:1};x"},
    {"x = a ? b : {}\ny", "x=a?b:{};y"},
    {"x = a +\n{}\ny", "x=a+{};y"},
    {"export {a}\nexport {b}", "export{a};export{b}"},
    {"export default {a: 1}\nfoo()", "export default{a:1};foo()"},
    {"export function f() {\n}\ng()", "export function f(){};g()"},
    {"case 1: {\n}\nbreak", "case 1:{};break"},
    {"class A {\n #a = {}\n #b = 1\n}", "class A{#a={};#b=1}"},
    {"class A {\n #a = () => {}\n #b\n}", "class A{#a=()=>{};#b}"},
    {"class A {\n a = {}\n #b\n}", "class A{a={};#b}"},
    {"function f() {\n}\ng()", "function f(){}g()"},
    {"async function f() {\n}\ng()", "async function f(){}g()"},
    {"if (a) {\n}\nb", "if(a){}b"},
    {"label: {\n}\nb", "label:{}b"},
    {"if (a) L: {\n}\nelse {\n}", "if(a)L:{}else{}"},
    {"x.function(a)\nif (b) {\n}\nelse {\n}", "x.function(a)\rif(b){}else{}"},
    {"returnfunction(a)\nif (b) {\n}\nelse {\n}", "returnfunction(a)\rif(b){}else{}"},
};
INSTANTIATE_TEST_SUITE_P(AssignedBlockSemicolon, JsCompressor,
                         ::testing::ValuesIn(kAssignedBlockSemicolon));

const Case kRegularExpressions[] = {
    {"x = a.replace(/ +/g, '')", "x=a.replace(/ +/g,'')"},
    {"x = a / b / c", "x=a/b/c"},
    {"return / +/.test(s)", "return/ +/.test(s)"},
    {"typeof / x/", "typeof/ x/"},
    {"x = a.return / +b", "x=a.return/+b"},
    {"if (/[/ ]/.test(s)) x", "if(/[/ ]/.test(s))x"},
    {"x = /[\\]/ ]/", "x=/[\\]/ ]/"},
    {"x = /a\\/ b/", "x=/a\\/ b/"},
    {"x = a++ / 2 / b", "x=a++/2/b"},
    {"/ a /.exec(s)", "/ a /.exec(s)"},
    {"a.in / 2 / b", "a.in/2/b"},
    {"within / 2 / b", "within/2/b"},
    {"s = /'/; t = 'a  b'", "s=/'/;t='a  b'"},
    {"x = /a b", "x=/a b"},
    {"var re = /ab/\nvar z", "var re=/ab/\rvar z"},
    {"x = /a/g\ny", "x=/a/g\ry"},
    {"x = /a/ in y", "x=/a/ in y"},
    {"x = /a/\n(y)", "x=/a/(y)"},
    {"x = a / b\ny", "x=a/b\ry"},
};
INSTANTIATE_TEST_SUITE_P(RegularExpressions, JsCompressor,
                         ::testing::ValuesIn(kRegularExpressions));

// Behind the head of "if", "for", "while" or "with" a statement starts, and
// a "/" there opens a regular expression; behind other parentheses it
// divides.
const Case kRegexBehindHeads[] = {
    {"if (x) / a/.test(y)", "if(x)/ a/.test(y)"},
    {"while (x) / a/g.exec(y)", "while(x)/ a/g.exec(y)"},
    {"for (;;) / a/.test(y)", "for(;;)/ a/.test(y)"},
    {"for await (x of y) / a/.test(x)", "for await(x of y)/ a/.test(x)"},
    {"with (o) / a/.test(y)", "with(o)/ a/.test(y)"},
    {"if (a) /'/.test(s); b = '//'; c = 1", "if(a)/'/.test(s);b='//';c=1"},
    {"if (f(a)) / a/.test(y)", "if(f(a))/ a/.test(y)"},
    {"if (a[0]) / a/.test(y)", "if(a[0])/ a/.test(y)"},
    {"x = (a) / 2 / (b)", "x=(a)/2/(b)"},
    {"x = f(a) / 2", "x=f(a)/2"},
    {"x = iff(a) / 2 / b", "x=iff(a)/2/b"},
    {"x = a.if(b) / 2 / c", "x=a.if(b)/2/c"},
    {"if (f(a) / 2 / b) c", "if(f(a)/2/b)c"},
    {"x = `${ f(a) / 2 / b }`", "x=`${ f(a) / 2 / b }`"},
};
INSTANTIATE_TEST_SUITE_P(RegexBehindHeads, JsCompressor, ::testing::ValuesIn(kRegexBehindHeads));

const Case kTemplateLiterals[] = {
    {"x = `a  b`", "x=`a  b`"},
    {"x = `a\nb`", "x=`a\nb`"},
    {"x = `a ${ b + 1 } c`;", "x=`a ${ b + 1 } c`"},
    {"x = `${ {a: 1}.a }  `", "x=`${ {a: 1}.a }  `"},
    {"x = `a ${ `b ${ c } d` } e`  ;", "x=`a ${ `b ${ c } d` } e`"},
    {"x = `a \\` b`", "x=`a \\` b`"},
    {"x = `${ '}  `' }  `", "x=`${ '}  `' }  `"},
    {"x = `a  b", "x=`a  b"},
    {"x = `a ${ b ;", "x=`a ${ b ;"},
};
INSTANTIATE_TEST_SUITE_P(TemplateLiterals, JsCompressor, ::testing::ValuesIn(kTemplateLiterals));

const Case kEscapedQuotes[] = {
    {"s = 'a\\\\' + b", "s='a\\\\'+b"},
    {"s = 'a\\\\\\'  b'", "s='a\\\\\\'  b'"},
    {"s = \"a\\\"  b\"", "s=\"a\\\"  b\""},
    {"s = 'a\\\\' + 'b'", "s='a\\\\b'"},
};
INSTANTIATE_TEST_SUITE_P(EscapedQuotes, JsCompressor, ::testing::ValuesIn(kEscapedQuotes));

const Case kFolding[] = {
    {"n = 'a' + 'bc'.length", "n='a'+'bc'.length"},
    {"n = 'a' + 'bc' .length", "n='a'+'bc'.length"},
    {"x = 'a' + 'b'[0]", "x='a'+'b'[0]"},
    {"1 - '2' + '3'", "1-'2'+'3'"},
    {"x = 2 * 'a' + 'b'", "x=2*'a'+'b'"},
    {"x = 'a' + 'b' + 'c'", "x='abc'"},
    {"'a' + 'b'", "'ab'"},
    {"x = 'a' + 'b", "x='ab"},
    {"x = 'a' + b + 'c'", "x='a'+b+'c'"},
    {"x = typeof 'a' + 'b'", "x=typeof'a'+'b'"},
    {"x = void 'a' + 'b'", "x=void'a'+'b'"},
    {"x = !'a' + 'b'", "x=!'a'+'b'"},
    {"x = ~'1' + '2'", "x=~'1'+'2'"},
    {"return\n'a' + 'b'", "return\r'ab'"},
};
INSTANTIATE_TEST_SUITE_P(Folding, JsCompressor, ::testing::ValuesIn(kFolding));

const Case kHtmlCommentLines[] = {
    {"if (a<!b) c", "if(a<!b)c"},
    {"a <!b\nc", "a<!b\rc"},
    {"x = 1 <!-- c\ny", "x=1\ry"},
};
INSTANTIATE_TEST_SUITE_P(HtmlCommentLines, JsCompressor, ::testing::ValuesIn(kHtmlCommentLines));

// Pieces that stood apart must not join into what the page or the browser
// reads as markup: "<!--" opens a line comment, "</script" ends the element.
const Case kNoMarkupJoins[] = {
    {"x = a < !--b", "x=a<! --b"},
    {"x = a < ! --b", "x=a<! --b"},
    {"x = a <! --b", "x=a<! --b"},
    {"x = a < !-b", "x=a<!-b"},
    {"x = a < ! -b", "x=a<!-b"},
    {"x = !--b", "x=!--b"},
    {"x = a<!--b\ny", "x=a\ry"},
    {"x = a < /script/.test(s)", "x=a< /script/.test(s)"},
    {"x = a < /SCRIPT/i", "x=a< /SCRIPT/i"},
    {"x = a < /*c*//script/", "x=a< /script/"},
    {"x = a < /scrip/", "x=a</scrip/"},
    {"x = a < /script", "x=a< /script"},
    {"x = a < /script x/.test(s)", "x=a< /script x/.test(s)"},
    {"x = a <\n/script/ in b", "x=a< /script/ in b"},
    {"x = a < /scr", "x=a</scr"},
};
INSTANTIATE_TEST_SUITE_P(NoMarkupJoins, JsCompressor, ::testing::ValuesIn(kNoMarkupJoins));

const Case kIncrementAfterLineBreak[] = {
    {"a\n++b", "a\r++b"},
    {"a\n--b", "a\r--b"},
    {"a\n+b", "a+b"},
    {"a\n-->", "a"},
};
INSTANTIATE_TEST_SUITE_P(IncrementAfterLineBreak, JsCompressor,
                         ::testing::ValuesIn(kIncrementAfterLineBreak));

// U+2028 and U+2029 (UTF-8 E2 80 A8, E2 80 A9) end a line comment and put a
// line break in a block comment, as LF does; other bytes behind E2 do not.
const Case kUnicodeLineSeparators[] = {
    {"var a = 1 // c\xE2\x80\xA8var b = 2", "var a=1 \xE2\x80\xA8var b=2"},
    {"a = b // c\xE2\x80\xA9++d", "a=b \xE2\x80\xA9++d"},
    {"<!-- c\xE2\x80\xA8" "a", "\xE2\x80\xA8" "a"},
    {"a // \xE2\x80x\nb", "a\rb"},
    {"return /*\xE2\x80\xA8*/ 1", "return\r1"},
    {"return /* \xE2\x80\xA9 */ 1", "return\r1"},
    {"return /* \xE2\x80\xA7 */ 1", "return 1"},
    {"x = `${a // c\xE2\x80\xA8}`", "x=`${a // c\xE2\x80\xA8}`"},
};
INSTANTIATE_TEST_SUITE_P(UnicodeLineSeparators, JsCompressor,
                         ::testing::ValuesIn(kUnicodeLineSeparators));

// A line break that ends a statement before punctuation stays.
const Case kLineBreakEndsStatement[] = {
    {"return\n(x)", "return\r(x)"},
    {"return\n'a'", "return\r'a'"},
    {"return\n+x", "return\r+x"},
    {"return\n/a/.test(s)", "return\r/a/.test(s)"},
    {"return // c\n(x)", "return\r(x)"},
    {"return\n}", "return}"},
    {"return\n;", "return"},
    {"break\n(a)", "break\r(a)"},
    {"continue\n[a]", "continue\r[a]"},
    {"yield\n(x)", "yield\r(x)"},
    {"throw\n(x)", "throw\r(x)"},
    {"x.return\n(y)", "x.return(y)"},
    {"a\n!b", "a\r!b"},
    {"a\n~b", "a\r~b"},
    {"a\n!= b", "a!=b"},
    {"a\n'b'", "a\r'b'"},
    {"a +\n'b'", "a+'b'"},
    {"f()\n{\n}", "f()\r{}"},
    {"if (a)\n{\n}", "if(a){}"},
    {"while (a)\n{\n}", "while(a){}"},
    {"else\n{\n}", "else{}"},
    {"function f()\n{\n}", "function f(){}"},
    {"a +\n{\n}", "a+{}"},
};
INSTANTIATE_TEST_SUITE_P(LineBreakEndsStatement, JsCompressor,
                         ::testing::ValuesIn(kLineBreakEndsStatement));

const Case kFaults[] = {
    {"", ""},
    {"x = 'abc", "x='abc"},
    {"x = 'a;", "x='a;"},
    {"x = \"a\\", "x=\"a\\"},
    {"a /* x", "a"},
    {"x=function (){}\ny", "x=function(){};y"},
    {"a;;}", "a;}"},
};
INSTANTIATE_TEST_SUITE_P(Faults, JsCompressor, ::testing::ValuesIn(kFaults));

// Behind "function" and "class" a body in braces may end an expression,
// which a line break then ends; other words ending in the same letters open
// blocks. A gap at the start, with nothing written in front of it, looks at
// no byte before the one in front of the text.
const Case kKeywordNotes[] = {
    {"x = function (a) {}\nb", "x=function(a){};b"},
    {"x = notfunction (a) {}\nb", "x=notfunction(a){}b"},
    {"x = class {}\nb", "x=class{};b"},
    {"x = glass {}\nb", "x=glass{}b"},
    {"x = async function f () {}\nb", "x=async function f(){};b"},
    {"/**/ x", "x"},
    {"/**/\nx", "x"},
    {"/**/ function (a) {}\nb", "function(a){}b"},
};
INSTANTIATE_TEST_SUITE_P(KeywordNotes, JsCompressor, ::testing::ValuesIn(kKeywordNotes));

// A dropped comment is a gap like white space, also where it touches the
// tokens on both sides: the words stay apart, and a line break inside it
// ends a statement as a line break would.
const Case kCommentsAsGaps[] = {
    {"return/**/x", "return x"},
    {"typeof/**/x", "typeof x"},
    {"var/*c*/x=1", "var x=1"},
    {"x = a/**/in b", "x=a in b"},
    {"x = a/**/instanceof/**/B", "x=a instanceof B"},
    {"return/*\n*/x", "return\rx"},
    {"a/*\n*/b", "a\rb"},
    {"x//c\ny", "x\ry"},
    {"x = 1/**/.toString()", "x=1 .toString()"},
    {"a-/**/-b", "a- -b"},
    {"a=/**/b", "a=b"},
    {"a/**/=b", "a=b"},
    {"f(/**/)", "f()"},
    {"/**/x", "x"},
    {"x/**/", "x"},
    {"x/**//**/y", "x y"},
    {"function/**/f(){}", "function f(){}"},
    {"x = function/**/(a) {}\nb", "x=function(a){};b"},
    {"x = {}/**/\nb", "x={};b"},
    {"x = a/**//re/.source", "x=a/re/.source"},
    {"return/**//re/.test(s)", "return/re/.test(s)"},
};
INSTANTIATE_TEST_SUITE_P(CommentsAsGaps, JsCompressor, ::testing::ValuesIn(kCommentsAsGaps));

// "-->" first on a line, behind white space and comments alone, is a line
// comment, as an old-browser wrapper's end often is without its "//";
// elsewhere it is "--" and ">".
const Case kLineCloseComments[] = {
    {"var a = 1;\n-->\n", "var a=1"},
    {"var a = 1\n--> old\nb()", "var a=1\rb()"},
    {"a;\n  --> x\nb", "a;b"},
    {"a;\n/*\n*/--> x\nb", "a;b"},
    {"x = {}\n-->\nb", "x={};b"},
    {"a;\n-->", "a"},
    {"a;\n--b", "a;--b"},
    {"a;\n-b", "a;-b"},
    {"a\n- -b", "a- -b"},
    {"a;\n->b", "a;->b"},
    {"a;-->b", "a;-->b"},
    {"x = a-->b", "x=a-->b"},
    {"x = a /**/ -->b", "x=a-->b"},
};
INSTANTIATE_TEST_SUITE_P(LineCloseComments, JsCompressor, ::testing::ValuesIn(kLineCloseComments));

// Where comments stay, they are text: nothing is put beside them.
TEST(JsCompressorKeptComments, StayAsWritten) {
    Options attribute{'"', Placement::kAttributeValue, false};
    EXPECT_EQ(Compress("return/**/x", attribute), "return/**/x");
    EXPECT_EQ(Compress("a/*c*/b", attribute), "a/*c*/b");
}

// A ";" that is the whole body of a statement stays, also before "}" and at
// the end; one that ends an expression goes.
const Case kEmptyStatementBody[] = {
    {"function f(a){ for (i = 0; a[i]; i++); }", "function f(a){for(i=0;a[i];i++);}"},
    {"for (; !(n = i.next()).done && (r.push(n.value), !t || r.length !== t); n = !0);",
     "for(;!(n=i.next()).done&&(r.push(n.value),!t||r.length!==t);n=!0);"},
    {"{ while (x()) ; }", "{while(x());}"},
    {"{ if (a) ; }", "{if(a);}"},
    {"{ with (o) ; }", "{with(o);}"},
    {"{ if (a) b(); else ; }", "{if(a)b();else;}"},
    {"{ if (a) b()\nelse\n;\n}", "{if(a)b()\relse;}"},
    {"{ if (a) for (;;); }", "{if(a)for(;;);}"},
    {"{ if (f(g(a), (b))) ; }", "{if(f(g(a),(b)));}"},
    {"{ while (/\\)/.test(s)) ; }", "{while(/\\)/.test(s));}"},
    {"{ while (s !== ')') ; }", "{while(s!==')');}"},
    {"{ for await (x of y); }", "{for await(x of y);}"},
    {"{ a: ; }", "{a:;}"},
    {"do ; while (x)", "do;while(x)"},
    {"{ do { a(); } while (x); }", "{do{a()}while(x)}"},
    {"{ do\n{ a(); }\nwhile (x); }", "{do{a()}while(x)}"},
    {"{ do a(); while (x); }", "{do a();while(x);}"},
    {"{ if (a) { b(); } while (x); }", "{if(a){b()}while(x);}"},
    {"{ do { if (a) { b(); } while (x); } while (y); }", "{do{if(a){b()}while(x);}while(y)}"},
    {"{ x.do { } while (x); }", "{x.do{}while(x);}"},
    {"while (x);", "while(x);"},
    {"if (a)\n;", "if(a);"},
    {"for (;;) ;\n", "for(;;);"},
    {"{ f(); }", "{f()}"},
    {"{ (a); }", "{(a)}"},
    {"{ x.if(a); }", "{x.if(a)}"},
    {"{ xfor(a); }", "{xfor(a)}"},
    {"{ if (a) (b); }", "{if(a)(b)}"},
    {"{ if (a) b; }", "{if(a)b}"},
    {"{ await(x); }", "{await(x)}"},
    {"{ if (a) ;; }", "{if(a);}"},
    {"f();", "f()"},
    {"x = a ? b : c;", "x=a?b:c"},
};
INSTANTIATE_TEST_SUITE_P(EmptyStatementBody, JsCompressor,
                         ::testing::ValuesIn(kEmptyStatementBody));

// A substitution is code: strings, templates, comments and regular
// expressions in it are recognised as around the template.
const Case kTemplateSubstitutions[] = {
    {"x = `a ${s.replace(/'/g, \"\\\"\")} b`;\ny = \". Value: \"",
     "x=`a ${s.replace(/'/g, \"\\\"\")} b`;y=\". Value: \""},
    {"x = `a ${s.replace(/'/g, \"\\\"\")} b`;\nf('x');\ny = `\". Value: \" ${ v }`;\nz = 1",
     "x=`a ${s.replace(/'/g, \"\\\"\")} b`;f('x');y=`\". Value: \" ${ v }`;z=1"},
    {"x = `${a/b}`;  y = ' a  b '", "x=`${a/b}`;y=' a  b '"},
    {"x = `${a / b / c}`", "x=`${a / b / c}`"},
    {"x = `${ (a) / 2 / b}`  ;  y", "x=`${ (a) / 2 / b}`;y"},
    {"x = `${ f(/`/) }`  ;  y", "x=`${ f(/`/) }`;y"},
    {"x = `${ /}/.test(s) }`  ;  y", "x=`${ /}/.test(s) }`;y"},
    {"x = `${ a ? /[`}]/ : b }`  ;  y", "x=`${ a ? /[`}]/ : b }`;y"},
    {"x = `${ typeof /'/ }`  ;  y", "x=`${ typeof /'/ }`;y"},
    {"x = `${ a++ / 2 / b }`  ;  y", "x=`${ a++ / 2 / b }`;y"},
    {"x = `${ 'a' / 2 / b }`  ;  y", "x=`${ 'a' / 2 / b }`;y"},
    {"x = `${ a /* ' } ` */ }`  ;  y", "x=`${ a /* ' } ` */ }`;y"},
    {"x = `${ a // ' } `\n}`  ;  y", "x=`${ a // ' } `\n}`;y"},
    {"x = `${ `${ /'/ }` / 2 / b }`  ;  y", "x=`${ `${ /'/ }` / 2 / b }`;y"},
    {"x = `${ `b` / 2 / c }`  ;  y", "x=`${ `b` / 2 / c }`;y"},
    {"x = `${ {a: /'/}.a }`  ;  y", "x=`${ {a: /'/}.a }`;y"},
    {"x = `${ a }` / 2 / b", "x=`${ a }`/2/b"},
    {"x = `${ /a/ }`\n/b/.test(s)", "x=`${ /a/ }`/b/.test(s)"},
};
INSTANTIATE_TEST_SUITE_P(TemplateSubstitutions, JsCompressor,
                         ::testing::ValuesIn(kTemplateSubstitutions));

// A "." behind a number of digits only would make a fraction of it.
const Case kNumberBeforeDot[] = {
    {"x = 1 .toString()", "x=1 .toString()"},
    {"x = 1\n.toString()", "x=1\r.toString()"},
    {"x = 1_000 .toString()", "x=1_000 .toString()"},
    {"x = 1..toString()", "x=1..toString()"},
    {"x = 1. .toString()", "x=1..toString()"},
    {"x = 1.5 .toFixed()", "x=1.5.toFixed()"},
    {"x = .5 .toFixed()", "x=.5.toFixed()"},
    {"x = 0x1 .y", "x=0x1.y"},
    {"x = 1e5 .y", "x=1e5.y"},
    {"x = 1n .y", "x=1n.y"},
    {"x = a1 .y", "x=a1.y"},
    {"x = a[1] .y", "x=a[1].y"},
    {"x = f(1) .y", "x=f(1).y"},
    {"1 .x", "1 .x"},
    {"f(...1 .x)", "f(...1 .x)"},
    {"x = a?.5 .y:1", "x=a?.5.y:1"},
};
INSTANTIATE_TEST_SUITE_P(NumberBeforeDot, JsCompressor, ::testing::ValuesIn(kNumberBeforeDot));

// Past sixteen nested substitutions the rest of the text is copied as it is.
// Stretches found many bytes at a time: names and string bodies of lengths
// on both sides of the 16- and 32-byte steps, at the start of the text
// (where output and input still overlap), behind dropped white space (where
// a run moves as one block), and running into the end of the text. Each
// case runs under every scan path.
std::string Name(std::size_t length) {
    std::string name;
    for (std::size_t i = 0; i < length; ++i)
        name += "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_$"[i % 64];
    return name;
}

std::string Spaces(std::size_t count) { return std::string(count, ' '); }

// A string body with a quote of the other kind, white space and brackets.
std::string Body(std::size_t length) {
    std::string body;
    for (std::size_t i = 0; i < length; ++i)
        body += "ab \"c  d\te{(f"[i % 13];
    return body;
}

std::string Escaped(std::size_t at, std::size_t length) {
    return Name(at) + "\\'" + Name(length);
}

// The texts are made at run time, so the case owns them.
struct StretchCase {
    std::string input;
    std::string expected;
};

void PrintTo(const StretchCase &c, std::ostream *os) { PrintTo(Case{c.input, c.expected}, os); }

class JsCompressorStretches : public ::testing::TestWithParam<StretchCase> {};

TEST_P(JsCompressorStretches, SameOnEveryScanPath) {
    crvtest::ForEachScanPath(
        [] { EXPECT_EQ(Compress(GetParam().input), GetParam().expected); });
}

const std::string kNames[] = {
    Name(0) + "f(x)",
    Name(15) + "(x)",
    Name(16) + "(x)",
    Name(17) + "(x)",
    Name(31) + "(x)",
    Name(32) + "(x)",
    Name(33) + "(x)",
    Name(65) + "(x)",
};

const StretchCase kStretches[] = {
    // Names at the start of the text, copied over themselves.
    {kNames[0], kNames[0]},
    {kNames[1], kNames[1]},
    {kNames[2], kNames[2]},
    {kNames[3], kNames[3]},
    {kNames[4], kNames[4]},
    {kNames[5], kNames[5]},
    {kNames[6], kNames[6]},
    {kNames[7], kNames[7]},
    // Behind dropped white space, which leaves room for a whole block.
    {"x =" + Spaces(40) + kNames[1], "x=" + kNames[1]},
    {"x =" + Spaces(40) + kNames[2], "x=" + kNames[2]},
    {"x =" + Spaces(40) + kNames[3], "x=" + kNames[3]},
    {"x =" + Spaces(40) + kNames[4], "x=" + kNames[4]},
    {"x =" + Spaces(40) + kNames[5], "x=" + kNames[5]},
    {"x =" + Spaces(40) + kNames[6], "x=" + kNames[6]},
    {"x =" + Spaces(40) + kNames[7], "x=" + kNames[7]},
    {"x =" + Spaces(70) + kNames[7] + " + " + kNames[4], "x=" + kNames[7] + "+" + kNames[4]},
    // Runs into the end of the text, in the last 16 or 32 bytes of it.
    {"x =" + Spaces(40) + Name(1), "x=" + Name(1)},
    {"x =" + Spaces(40) + Name(15), "x=" + Name(15)},
    {"x =" + Spaces(40) + Name(16), "x=" + Name(16)},
    {"x =" + Spaces(40) + Name(17), "x=" + Name(17)},
    {"x =" + Spaces(40) + Name(31), "x=" + Name(31)},
    {"x =" + Spaces(40) + Name(32), "x=" + Name(32)},
    {"x =" + Spaces(40) + Name(33), "x=" + Name(33)},
    {Name(33), Name(33)},
    {"x =" + Spaces(40) + Name(20) + ")", "x=" + Name(20) + ")"},
    // String bodies ending at each step, and running into the end.
    {"s = '" + Body(0) + "';", "s='" + Body(0) + "'"},
    {"s =" + Spaces(40) + "'" + Body(15) + "';", "s='" + Body(15) + "'"},
    {"s =" + Spaces(40) + "'" + Body(16) + "';", "s='" + Body(16) + "'"},
    {"s =" + Spaces(40) + "'" + Body(17) + "';", "s='" + Body(17) + "'"},
    {"s =" + Spaces(40) + "'" + Body(31) + "';", "s='" + Body(31) + "'"},
    {"s =" + Spaces(40) + "'" + Body(32) + "';", "s='" + Body(32) + "'"},
    {"s =" + Spaces(40) + "'" + Body(33) + "';", "s='" + Body(33) + "'"},
    {"s = '" + Body(70) + "';", "s='" + Body(70) + "'"},
    {"s = \"a'b" + Name(40) + "\";", "s=\"a'b" + Name(40) + "\""},
    {"s =" + Spaces(40) + "'" + Body(31), "s='" + Body(31)},
    {"s =" + Spaces(40) + "'" + Body(33), "s='" + Body(33)},
    {"s =" + Spaces(40) + "'" + Name(20) + "\\", "s='" + Name(20) + "\\"},
    // Escaped quotes at each step of a body.
    {"s = '" + Escaped(0, 40) + "';", "s='" + Escaped(0, 40) + "'"},
    {"s = '" + Escaped(15, 40) + "';", "s='" + Escaped(15, 40) + "'"},
    {"s = '" + Escaped(16, 40) + "';", "s='" + Escaped(16, 40) + "'"},
    {"s = '" + Escaped(31, 40) + "';", "s='" + Escaped(31, 40) + "'"},
    {"s = '" + Escaped(32, 40) + "';", "s='" + Escaped(32, 40) + "'"},
    {"s = '" + Name(31) + "\\\\' + x", "s='" + Name(31) + "\\\\'+x"},
    // Folded literals whose bodies cross the steps.
    {"s = '" + Body(20) + "' +" + Spaces(40) + "'" + Body(33) + "';",
     "s='" + Body(20) + Body(33) + "'"},
};
INSTANTIATE_TEST_SUITE_P(Stretches, JsCompressorStretches, ::testing::ValuesIn(kStretches));

// Gaps whose white space is measured a block at a time: starting at each
// step of the block that the name in front was found in, running past its
// end, with the line break at either side of that end, in brackets (where a
// line break counts as a space) and at the end of the text.
std::string LineBreakGap(std::size_t spaces) { return "\n" + Spaces(spaces); }

const StretchCase kGaps[] = {
    {Name(15) + LineBreakGap(4) + "b", Name(15) + "\rb"},
    {Name(16) + LineBreakGap(4) + "b", Name(16) + "\rb"},
    {Name(17) + " b", Name(17) + " b"},
    {Name(31) + LineBreakGap(4) + "b", Name(31) + "\rb"},
    {Name(32) + " b", Name(32) + " b"},
    {Name(33) + LineBreakGap(0) + "b", Name(33) + "\rb"},
    {Name(63) + LineBreakGap(4) + "b", Name(63) + "\rb"},
    {Name(64) + " b", Name(64) + " b"},
    {Name(65) + LineBreakGap(4) + "b", Name(65) + "\rb"},
    // Across the end of the block made at the start of the text.
    {Name(60) + Spaces(10) + "b", Name(60) + " b"},
    {Name(60) + Spaces(3) + LineBreakGap(6) + "b", Name(60) + "\rb"},
    {Name(60) + Spaces(4) + LineBreakGap(6) + "b", Name(60) + "\rb"},
    {Name(60) + Spaces(5) + LineBreakGap(6) + "b", Name(60) + "\rb"},
    {Name(50) + Spaces(100) + "b", Name(50) + " b"},
    {Name(50) + Spaces(100) + LineBreakGap(1) + "b", Name(50) + "\rb"},
    {Name(50) + LineBreakGap(100) + "(b)", Name(50) + "(b)"},
    // In brackets a line break is a space.
    {"f(" + Name(13) + LineBreakGap(4) + "b)", "f(" + Name(13) + " b)"},
    {"f(" + Name(58) + LineBreakGap(9) + "b)", "f(" + Name(58) + " b)"},
    {"f(" + Name(58) + LineBreakGap(9) + ")\nb", "f(" + Name(58) + ")\rb"},
    // At the end of the text, in its last 64 bytes.
    {Name(20) + Spaces(3), Name(20)},
    {Name(20) + LineBreakGap(50), Name(20)},
    {"x =" + Spaces(90) + Name(20) + LineBreakGap(2) + "b", "x=" + Name(20) + "\rb"},
    {"x =" + Spaces(90) + Name(20) + " " + Name(30) + LineBreakGap(5),
     "x=" + Name(20) + " " + Name(30)},
};
INSTANTIATE_TEST_SUITE_P(Gaps, JsCompressorStretches, ::testing::ValuesIn(kGaps));

// One space between two tokens is settled as the token is copied, from the
// characters on either side; the gaps it leaves to the rest of the pass
// (before a ".", "/", more white space or the end, and line breaks) must
// come out as before. The gaps stand at each step of a block too.
const StretchCase kSettledGaps[] = {
    {"var a = b ;", "var a=b"},
    {"a = b ( c , d ) [ e ] ;x", "a=b(c,d)[e];x"},
    {"if ( a ) { b } else { c }", "if(a){b}else{c}"},
    {"a = b + c - d * e", "a=b+c-d*e"},
    {"a + +b - -c + -d", "a+ +b- -c+-d"},
    {"x = ! a ? b : c", "x=!a?b:c"},
    {"x = /a/ g ; y = /b/ in z", "x=/a/ g;y=/b/ in z"},
    {"a = 'b' + 'c' ; d", "a='bc';d"},
    {"a = 'b' + \"c\" ; d", "a='b'+\"c\";d"},
    {"a = `b` + c", "a=`b`+c"},
    {"x = 1 .toString ( )", "x=1 .toString()"},
    {"x = a .b", "x=a.b"},
    {"x = a / b / c", "x=a/b/c"},
    {"x = a /* c */ b", "x=a b"},
    {"x = function () {}\n'y'", "x=function(){};'y'"},
    {"x = class {}\n'y'", "x=class{};'y'"},
    {"x = {} instanceof y", "x={}instanceof y"},
    {"x = async function () {}\n'a'", "x=async function(){};'a'"},
    {"return a in b", "return a in b"},
    {"a\t= b", "a=b"},
    {"a =\tb", "a=b"},
    {Name(15) + " " + Name(20), Name(15) + " " + Name(20)},
    {Name(16) + " = b", Name(16) + "=b"},
    {Name(17) + " " + Name(50), Name(17) + " " + Name(50)},
    {Name(31) + " ( b )", Name(31) + "(b)"},
    {Name(32) + " " + Name(40), Name(32) + " " + Name(40)},
    {Name(33) + " = b", Name(33) + "=b"},
    {Name(62) + " " + Name(3), Name(62) + " " + Name(3)},
    {Name(63) + " " + Name(3), Name(63) + " " + Name(3)},
    {Name(64) + " = b", Name(64) + "=b"},
    {Name(65) + " " + Name(3), Name(65) + " " + Name(3)},
    // White space of any kind behind punctuation that ends no statement.
    {"a = [\n    1,\n    2\n];\nb", "a=[1,2];b"},
    {"f(a, b);\n    g();\n", "f(a,b);g()"},
    {"{\n\n  a;\n}\n", "{a}"},
    {"a ;\t\n b", "a;b"},
    {"a;\r\n  b;\r\n}", "a;b}"},
    {"a = [\r\n\t1\r\n]", "a=[1]"},
    {"a;  \n  b", "a;b"},
    {"a = {  }", "a={}"},
    {"a;  /* c */  b", "a;b"},
    {"a;  ", "a"},
    {"a  = b", "a=b"},
    {"f(a)  \n  b", "f(a)\rb"},
    {"a;\n  // c\n  b", "a;b"},
    {"a;\n  /* c */ b", "a;b"},
    {"a;\n  /x/.test(b)", "a;/x/.test(b)"},
    {"a =\n  .5", "a=.5"},
    {"x = {};\n   ", "x={}"},
    {"x = {}\n  y", "x={};y"},
    {"a = b ||\n  c", "a=b||c"},
    {Name(60) + ";" + LineBreakGap(10) + "b", Name(60) + ";b"},
    {Name(62) + "," + LineBreakGap(70) + "b", Name(62) + ",b"},
    {Name(63) + ";" + Spaces(1) + "b", Name(63) + ";b"},
    {Name(64) + ";" + LineBreakGap(0) + "b", Name(64) + ";b"},
    {Name(30) + "=" + Spaces(33) + "b", Name(30) + "=b"},
    // In the last 64 bytes of the text, and right before its end.
    {Spaces(70) + Name(30) + " " + Name(20) + " = c", Name(30) + " " + Name(20) + "=c"},
    {Spaces(70) + Name(30) + ";" + LineBreakGap(8) + "c", Name(30) + ";c"},
    {Name(40) + " a", Name(40) + " a"},
    {Name(40) + " ;", Name(40)},
    {Name(40) + " ", Name(40)},
};
INSTANTIATE_TEST_SUITE_P(SettledGaps, JsCompressorStretches, ::testing::ValuesIn(kSettledGaps));

// A lone space is kept between two words alone; the byte behind it picks
// word or punctuation, and the character written in front of it may end a
// run of any length, a literal, a bracket or a dropped comment.
const StretchCase kLoneSpaceNeighbours[] = {
    // Behind the space: word bytes that are no letter, and punctuation.
    {"a $b", "a $b"},
    {"a _b", "a _b"},
    {"a \\u0062", "a \\u0062"},
    {"a #b", "a #b"},
    {"a @b", "a @b"},
    {"a ^ b", "a ^ b"},
    {"a \xC3\xA9", "a \xC3\xA9"},
    {"a 1", "a 1"},
    {"a ! b", "a!b"},
    {"a % b", "a%b"},
    {"a & b | c", "a&b|c"},
    {"a ? b : c , d", "a?b:c,d"},
    {"a ~ b ; c", "a~b;c"},
    {"a < b > c = d", "a<b>c=d"},
    // In front of the space: runs of one and two bytes, none at all.
    {"a b c", "a b c"},
    {"ab cd ef", "ab cd ef"},
    {"f(a) b", "f(a)b"},
    {"f(a)b c", "f(a)b c"},
    {"a[0] in b", "a[0]in b"},
    {"a = b) c", "a=b)c"},
    {"'s' in b", "'s'in b"},
    {"'s'x in b", "'s'x in b"},
    {"a /* c */ b", "a b"},
    {"a = x++ in b", "a=x++in b"},
    {"a = /x/ in b", "a=/x/ in b"},
    {"a = /x/g in b", "a=/x/g in b"},
    // Keywords whose note a lone space behind them takes.
    {"x = function f () {}\n'y'", "x=function f(){};'y'"},
    {"x = function* g () {}\n'y'", "x=function*g(){};'y'"},
    {"x = class C {}\n'y'", "x=class C{};'y'"},
    {"on ss = 1", "on ss=1"},
    {Name(31) + " b", Name(31) + " b"},
    {Name(32) + " b", Name(32) + " b"},
    {Name(33) + " = b", Name(33) + "=b"},
};
INSTANTIATE_TEST_SUITE_P(LoneSpaceNeighbours, JsCompressorStretches,
                         ::testing::ValuesIn(kLoneSpaceNeighbours));

// Only "function" and "class" take the note behind a lone space or a gap
// with a line break, told from their last two letters: other words ending
// in "n" or "s", with any letter in front, and those two letters ending
// other words leave the "{" a block.
const StretchCase kBodyKeywordEndings[] = {
    {"x = function f (a) {}\n'y'", "x=function f(a){};'y'"},
    {"x = function\nf (a) {}\n'y'", "x=function\rf(a){};'y'"},
    {"x = class {}\n'y'", "x=class{};'y'"},
    {"x = class\n{}\n'y'", "x=class\r{};'y'"},
    {"x = n (a) {}\n'y'", "x=n(a){}'y'"},
    {"x = fn (a) {}\n'y'", "x=fn(a){}'y'"},
    {"x = on (a) {}\n'y'", "x=on(a){}'y'"},
    {"x = sn (a) {}\n'y'", "x=sn(a){}'y'"},
    {"x = Function (a) {}\n'y'", "x=Function(a){}'y'"},
    {"x = s {}\n'y'", "x=s{}'y'"},
    {"x = os {}\n'y'", "x=os{}'y'"},
    {"x = ss {}\n'y'", "x=ss{}'y'"},
    {"x = glass\n{}\n'y'", "x=glass\r{}'y'"},
};
INSTANTIATE_TEST_SUITE_P(BodyKeywordEndings, JsCompressorStretches,
                         ::testing::ValuesIn(kBodyKeywordEndings));

// A run moved as one block carries bytes past its end over input already
// read, never over the character in front of the read position, which
// decides whether two signs parted by a comment stay apart. The leading
// white space sets how far the output trails the input there; the names
// behind leave room for a whole block, with a sign in it that a block
// carried one byte too far would bring in front of the read position.
TEST(JsCompressorStretchEdges, SignsStayApartWhateverTheDistance) {
    crvtest::ForEachScanPath([] {
        for (std::size_t sign = 28; sign < 36; ++sign) {
            const std::string tail = "+b(" + Name(sign - 3) + "+" + Name(40) + ")";
            for (std::size_t lead = 0; lead < 70; ++lead)
                EXPECT_EQ(Compress(Spaces(lead) + "a+/**/" + tail), "a+ " + tail)
                    << lead << " spaces, sign at " << sign;
        }
    });
}

// A quoted attribute value is a piece of the page: the stretches end at its
// zero byte, and what lies behind it stays as it is.
TEST(JsCompressorStretchEdges, AttributeValue) {
    Options attribute{'"', Placement::kAttributeValue, false};
    crvtest::ForEachScanPath([&] {
        EXPECT_EQ(Compress("alert( '" + Body(33) + "' ) ;" + Spaces(20), attribute),
                  "alert('" + Body(33) + "')");
        EXPECT_EQ(Compress(Spaces(40) + "f(" + Name(33) + ")", attribute), "f(" + Name(33) + ")");
        EXPECT_EQ(Compress("x = '" + Name(40), attribute), "x='" + Name(40));
    });
}

// Each "}" of an object literal before a quote takes a ";" from the room
// the dropped white space left, so the output comes one nearer the input
// with each, past the distance a whole block move needs, until no room is
// left. The names between are short runs that would carry a block over
// unread input once the output came too near.
struct SemicolonsCase {
    std::size_t lead;       // spaces in front: the room
    std::size_t statements; // of the shape x={}'name'
};

TEST(JsCompressorStretchEdges, InsertedSemicolonsUseUpTheRoom) {
    const SemicolonsCase cases[] = {{33, 36}, {34, 40}, {40, 45}, {64, 70}, {70, 40}};
    crvtest::ForEachScanPath([&] {
        for (const SemicolonsCase &c : cases) {
            std::string input = Spaces(c.lead), expected;
            for (std::size_t i = 0; i < c.statements; ++i) {
                std::string literal(1, '\'');
                literal += Name(3 + i % 30);
                literal += '\'';
                input += "x={}";
                input += literal;
                expected += i < c.lead ? "x={};" : "x={}";
                expected += literal;
            }
            EXPECT_EQ(Compress(input), expected) << c.lead << " spaces";
        }
    });
}

// Runs the compressor on a copy of input whose allocation ends at its
// terminator, so that AddressSanitizer reports a read past it.
std::string CompressUnguarded(const std::string &input) {
    crvtest::GuardedBuffer buffer(input, '>', 0);
    char *cursor = buffer.Run([](char *text, ProgressCursor progress) {
        CompressJavaScript(text, Placement::kDocument, CompressOptions{}, progress);
    });
    EXPECT_TRUE(buffer.FrameIntact());
    return buffer.Holds(cursor) ? std::string(buffer.Text(), cursor) : "<cursor outside>";
}

// A short run moves as a whole block only where the block ends inside the
// text: a run or string body starting 33, 32, 31 or fewer bytes before the
// end (the zero byte), with the output far enough behind for a block move.
const StretchCase kRunsIntoTheEnd[] = {
    {"x =" + Spaces(40) + Name(33), "x=" + Name(33)},
    {"x =" + Spaces(40) + Name(32), "x=" + Name(32)},
    {"x =" + Spaces(40) + Name(31), "x=" + Name(31)},
    {"x =" + Spaces(40) + Name(30), "x=" + Name(30)},
    {"x =" + Spaces(40) + Name(29) + ")", "x=" + Name(29) + ")"},
    {"x =" + Spaces(40) + Name(1), "x=" + Name(1)},
    {"x =" + Spaces(40) + Name(28) + ";" + Name(3), "x=" + Name(28) + ";" + Name(3)},
    {"s =" + Spaces(40) + "'" + Body(32), "s='" + Body(32)},
    {"s =" + Spaces(40) + "'" + Body(31), "s='" + Body(31)},
    {"s =" + Spaces(40) + "'" + Body(30), "s='" + Body(30)},
    {"s =" + Spaces(40) + "'" + Body(29) + "'", "s='" + Body(29) + "'"},
    {Spaces(40) + Name(31), Name(31)},
};

TEST(JsCompressorStretchEdges, RunsIntoTheEndReadNothingPastIt) {
    crvtest::ForEachScanPath([] {
        for (const StretchCase &c : kRunsIntoTheEnd)
            EXPECT_EQ(CompressUnguarded(c.input), c.expected) << c.input;
    });
}

TEST(JsCompressorTemplates, DeepNestingCopiesTheRest) {
    auto nested = [](int depth) {
        std::string open;
        std::string close;
        for (int i = 0; i < depth; ++i) {
            open += "`${";
            close += "}`";
        }
        return open + "a" + close;
    };
    EXPECT_EQ(Compress("x = " + nested(16) + "  ;  y"), "x=" + nested(16) + ";y");
    EXPECT_EQ(Compress("x = " + nested(17) + "  ;  y"), "x=" + nested(17) + "  ;  y");
}

TEST(JsCompressorAttributeValue, CommentsStayWhenRemovalIsOff) {
    Options attribute{'"', Placement::kAttributeValue, false};
    EXPECT_EQ(Compress("alert( 'a' ) ; // c", attribute), "alert('a');//c");
    EXPECT_EQ(Compress("a = b / 2 ; c", attribute), "a=b/2;c");
    EXPECT_EQ(Compress("x = {}\n/* c */\ny", attribute), "x={};/* c */y");
}

// Behind a kept line comment the gap rules could drop its line break and let
// it take in the next line, so the rest of the text stays as written there.
const Case kKeptLineComments[] = {
    {"x = {}\n// c\ny", "x={};// c\ny"},
    {"x = 1 // c\n+ 2", "x=1// c\n+ 2"},
    {"if (a) // c\n;", "if(a)// c\n;"},
    {"{ if (a) // c\n; }", "{if(a)// c\n; }"},
    {"a() // c\r\nb()", "a()// c\r\nb()"},
    {"a() // c", "a()//c"},
    {"a <!-- c\nb", "a<!-- c\nb"},
    {"a<!--b", "a<!--b"},
    {"x = a < !--b", "x=a<! --b"},
};

TEST(JsCompressorAttributeValue, RestStaysBehindAKeptLineComment) {
    Options attribute{'"', Placement::kAttributeValue, false};
    for (const Case &c : kKeptLineComments)
        EXPECT_EQ(Compress(c.input, attribute), c.expected) << c.input;
}

TEST(JsCompressorAttributeValue, NeverFoldsOntoTheQuoteBeforeText) {
    EXPECT_EQ(Compress("+\"b\"", {'"', Placement::kAttributeValue, false}), "+\"b\"");
    EXPECT_EQ(Compress("+'b'", {'\'', Placement::kAttributeValue, false}), "+'b'");
}

TEST(JsCompressorWrapper, KeptWithHideScripts) {
    Options hide{'>', Placement::kDocument, true};
    EXPECT_EQ(Compress("<!--\nvar a = 1;\n//-->\n", hide), "<!--\rvar a=1;//-->");
    EXPECT_EQ(Compress("  <!-- x\ny", hide), "<!--\ry");
    EXPECT_EQ(Compress("var a = 1;", hide), "var a=1");
}

TEST(JsCompressorWrapper, OpeningNeedsRoomOnTheFirstLine) {
    Options hide{'>', Placement::kDocument, true};
    EXPECT_EQ(Compress("<!-\nx = 1;\n\n\n\n\n\n", hide), "x=1;//-->");
    EXPECT_EQ(Compress("<a\nb", hide), "b");
    EXPECT_EQ(Compress("<!--", hide), "<!--");
}

TEST(JsCompressorWrapper, ClosingNeedsRoomBeforeTheEnd) {
    Options hide{'>', Placement::kDocument, true};
    EXPECT_EQ(Compress("<!--\nx", hide), "<!--\rx");
    EXPECT_EQ(Compress("<!--\nx\n\n\n\n", hide), "<!--\rx");
    EXPECT_EQ(Compress("<!--\nx\n\n\n\n\n", hide), "<!--\rx//-->");
}

TEST(JsCompressorWrapper, DefaultOptionsMeanHideScriptsOff) {
    char buffer[] = "><!--\nx\n//-->\n";
    char *cursor = nullptr;
    CompressJavaScript(buffer + 1, Placement::kDocument, CompressOptions{}, ProgressCursor(cursor));
    EXPECT_EQ(std::string(buffer + 1, cursor), "x");
}

TEST(JsCompressorBuffer, ByteBeforeTextIsTheLastCharacter) {
    EXPECT_EQ(Compress("  b", {'a'}), "b");
    EXPECT_EQ(Compress("/ a /.test(s)", {'('}), "/ a /.test(s)");
    EXPECT_EQ(Compress("/ a / 2", {'a'}), "/ a / 2");
    EXPECT_EQ(Compress("+b", {'+'}), "+b");
    EXPECT_EQ(Compress("{\na\n}\ny", {'='}), "{a};y");
}

// A quote before the text can end a statement, but no separator is ever
// written in front of the first token.
TEST(JsCompressorBuffer, NothingStandsBeforeTheFirstToken) {
    EXPECT_EQ(Compress("<b>\nfoo()", {'"', Placement::kDocument, false}), "foo()");
    EXPECT_EQ(Compress("<b>\n+a", {'\'', Placement::kDocument, false}), "+a");
}

// An attribute value is no script element: "<" there opens no wrapper, and
// behind a "<!--" comment that a line break ends the rest of the text stays
// as written, as behind a kept "//" comment.
TEST(JsCompressorBuffer, AttributeValueKeepsLessThan) {
    EXPECT_EQ(Compress("<b>x</b>", {'"', Placement::kAttributeValue, true}), "<b>x</b>");
    EXPECT_EQ(Compress("x = 1 <!--y", {'"', Placement::kAttributeValue, false}), "x=1<!--y");
    EXPECT_EQ(Compress(" <!-- x\ny", {'\'', Placement::kAttributeValue, true}), "<!-- x\ny");
}

TEST(JsCompressorBuffer, NeverTakesBackTheByteBeforeText) {
    EXPECT_EQ(Compress("}", {';'}), "}");
    EXPECT_EQ(Compress("", {';'}), "");
    EXPECT_EQ(Compress("(", {' '}), "(");
}

// A one-letter word at the start has only the byte in front of the text
// before it, which completes no keyword's ending, whatever it is.
TEST(JsCompressorBuffer, ByteBeforeTextEndsNoKeyword) {
    struct BeforeCase {
        char before;
        std::string_view input;
        std::string_view expected;
    };
    const BeforeCase cases[] = {
        {'o', "n (a) {}\n'y'", "n(a){}'y'"},
        {'s', "s {}\n'y'", "s{}'y'"},
        {'\0', "n (a) {}\n'y'", "n(a){}'y'"},
        {'\0', "s {}\n'y'", "s{}'y'"},
    };
    crvtest::ForEachScanPath([&] {
        for (const BeforeCase &c : cases)
            EXPECT_EQ(Compress(c.input, {c.before}), c.expected) << c.input;
    });
}

// Only an "=" in front of the text makes what starts it an operand: behind
// a start tag's ">" or an attribute value's quote a statement begins. No
// look back reaches further than that byte.
TEST(JsCompressorBuffer, ByteBeforeTextStartsAStatement) {
    EXPECT_EQ(Compress("function(){}\nx", {'='}), "function(){};x");
    EXPECT_EQ(Compress("function f(){}\nx"), "function f(){}x");
    EXPECT_EQ(Compress("{\na\n}\nx", {'"'}), "{a}x");
    EXPECT_EQ(Compress("=function(){}\nx"), "=function(){};x");
    EXPECT_EQ(Compress("{}\nx"), "{}x");
    EXPECT_EQ(Compress("(){}\nx", {'*'}), "(){}x");
    EXPECT_EQ(Compress("\n{}", {'\r'}), "{}");
}

TEST(JsCompressorBuffer, CursorIgnoresItsValueOnEntry) {
    char buffer[] = ">a = 1 ;";
    char *cursor = buffer + 7;
    CompressJavaScript(buffer + 1, Placement::kDocument, CompressOptions{}, ProgressCursor(cursor));
    EXPECT_EQ(std::string(buffer + 1, cursor), "a=1");
}

} // namespace
} // namespace crv::test
