// CompressHtml: how it treats its buffer and its cursor, whatever the input.
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "tests/compress/html/html_test_support.h"

namespace crv::test {
namespace {

TEST(HtmlBuffer, CursorIgnoresItsValueOnEntry) {
    char buffer[] = "#<p> a </p>";
    char *cursor = buffer + 7;
    CompressHtml(buffer + 1, CompressOptions{}, ProgressCursor(cursor));
    EXPECT_EQ(std::string(buffer + 1, cursor), "<p>a</p>");
}

TEST(HtmlBuffer, EmptyDocumentLeavesTheCursorOnTheText) {
    char buffer[] = "#";
    char *cursor = nullptr;
    CompressHtml(buffer + 1, CompressOptions{}, ProgressCursor(cursor));
    EXPECT_EQ(cursor, buffer + 1);
}

TEST(HtmlBuffer, UnchangedDocumentStaysWhole) {
    const std::string_view page =
        "<html><head><title>T</title></head><body><p>a b</p></body></html>";
    EXPECT_EQ(Compress(page), page);
}

// Pieces that exercise every branch, glued at random, under every
// combination of properties: Compress checks the guard bytes, the byte
// before the text and the cursor; here the output must not grow.
constexpr std::string_view kPieces[] = {
    "<p>", "</p>", " ", "\n", "\t", "word", "<", ">", "'", "\"", "=", "/", "<!--", "-->",
    "<!", "<![endif]-->", "<script>", "</script>", "<style>", "</style>", "<pre>", "</pre>",
    "<textarea>", "</textarea>", "<plaintext>", "<a href='x y'", " onclick=\"f( 1 )\"",
    " style='a : b'", " alt=''", " checked=checked", "/>", "</br>", "<br />", "<b>", "</b>",
    "<div ", "title=", "a\"b", "<?", "{", "}", ";", "(", ")", "+", "'a' + 'b'", "//", "/*", "*/"};

std::string RandomDocument(std::mt19937 &random) {
    std::uniform_int_distribution<std::size_t> pieceCount(0, 40);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
    std::string document;
    for (std::size_t n = pieceCount(random); n > 0; --n)
        document += kPieces[piece(random)];
    return document;
}

TEST(HtmlBuffer, OutputNeverLongerUnderAnyProperties) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 3000; ++round) {
        const std::string document = RandomDocument(random);
        const auto bits = static_cast<std::uint8_t>(round);
        const CompressOptions options{.deleteComments = (bits & 1) != 0,
                                    .protectEvents = (bits & 2) != 0,
                                    .compressScripts = (bits & 4) != 0,
                                    .compressStyles = (bits & 8) != 0,
                                    .hideScripts = (bits & 16) != 0};
        const std::string output = Compress(document, options);
        ASSERT_LE(output.size(), document.size()) << document;
    }
}

TEST(HtmlBuffer, CompressingTwiceChangesNothingMore) {
    const std::string_view page =
        "<ul>\n  <li> <a href='a.html' title='A  page'>one</a> </li>\n  <li>two</li>\n</ul>\n"
        "<p class=\"x\">text <b>bold</b> <i>it</i>\n<img alt='' src='a.gif'></p>";
    const std::string once = Compress(page);
    EXPECT_EQ(Compress(once), once);
}

} // namespace
} // namespace crv::test
