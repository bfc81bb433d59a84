// CompressHtml: comments and declarations, kept or deleted, and their place in
// the white-space decision.
#include <gtest/gtest.h>

#include "tests/compress/html/html_test_support.h"

namespace crv::test {
namespace {

const CompressOptions kDeleteComments{.deleteComments = true};

struct CommentCase {
    std::string_view input;
    std::string_view kept;    // comments kept
    std::string_view deleted; // comments deleted
};

void PrintTo(const CommentCase &c, std::ostream *os) { *os << '"' << c.input << '"'; }

class HtmlComment : public ::testing::TestWithParam<CommentCase> {};

TEST_P(HtmlComment, KeptByDefault) { EXPECT_EQ(Compress(GetParam().input), GetParam().kept); }

TEST_P(HtmlComment, DeletedOnRequest) {
    EXPECT_EQ(Compress(GetParam().input, kDeleteComments), GetParam().deleted);
}

const CommentCase kComments[] = {
    {"<!-- c --><!--[if IE]>x<![endif]--><!DOCTYPE html><p>",
     "<!-- c --><!--[if IE]>x<![endif]--><!DOCTYPE html><p>",
     "<!--[if IE]>x<![endif]--><!DOCTYPE html><p>"},
    {"x <!-- c --> y<p>", "x <!-- c -->y<p>", "x y<p>"},
    {"<!-->x<p>", "<!-->x<p>", "x<p>"},
    {"<!--->x<p>", "<!--->x<p>", "x<p>"},
    {"<!-- a > b -- > c -->d<p>", "<!-- a > b -- > c -->d<p>", "d<p>"},
    {"<!--\t a  \n-->", "<!--\t a  \n-->", ""},
    {"<!-- <p> <b> -->x", "<!-- <p> <b> -->x", "x"},
    {"<![CDATA[ a  b ]]>x", "<![CDATA[ a  b ]]>x", "<![CDATA[ a  b ]]>x"},
    {"<!--[if lt IE 9]><script src=a.js></script><![endif]-->",
     "<!--[if lt IE 9]><script src=a.js></script><![endif]-->",
     "<!--[if lt IE 9]><script src=a.js></script><![endif]-->"},
    {"<!doctype  html >\n<html>", "<!doctype  html ><html>", "<!doctype  html ><html>"},
    {"<!ELEMENT x ANY><p>", "<!ELEMENT x ANY><p>", "<p>"},
    {"a<!x>b<p>", "a<!x>b<p>", "ab<p>"},
    {"<p>a <!-- c --><p>", "<p>a<!-- c --><p>", "<p>a<p>"},
    {"x <!-- c -->", "x <!-- c -->", "x"},
};
INSTANTIATE_TEST_SUITE_P(Comments, HtmlComment, ::testing::ValuesIn(kComments));

// A comment or declaration without its ">" runs to the end of the document.
const CommentCase kUnclosed[] = {
    {"a <!-- b <p> c", "a <!-- b <p> c", "a"},
    {"a <!DOCTYPE", "a <!DOCTYPE", "a <!DOCTYPE"},
    {"<!--", "<!--", ""},
    {"<!", "<!", ""},
    {"<!--[if IE]", "<!--[if IE]", "<!--[if IE]"},
};
INSTANTIATE_TEST_SUITE_P(Unclosed, HtmlComment, ::testing::ValuesIn(kUnclosed));

} // namespace
} // namespace crv::test
