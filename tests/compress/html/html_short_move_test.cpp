// The word-at-a-time pieces of the HTML compressor against their plain
// definitions: moving a piece of output over its source, whole or as one
// block, and the key of a name read two words at a time.
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "compress/html/html_output.h"
#include "compress/html/name_key.h"

namespace crv::test {
namespace {

// Every length up to past the library-call threshold, moved by every gap up
// to past the widest word, must give what memmove gives, and touch no byte
// outside the destination.
TEST(HtmlAppendBytes, MovesLikeMemmoveWhateverTheGap) {
    for (std::size_t length = 0; length <= 40; ++length) {
        for (std::size_t gap = 0; gap <= 40; ++gap) {
            std::string buffer(8 + gap + length + 8, '.');
            for (std::size_t i = 0; i < length; ++i)
                buffer[8 + gap + i] = static_cast<char>('a' + i % 26);
            std::string expected = buffer;
            std::memmove(expected.data() + 8, expected.data() + 8 + gap, length);
            char *end = AppendBytes(buffer.data() + 8 + gap, buffer.data() + 8 + gap + length,
                                    buffer.data() + 8);
            EXPECT_EQ(end, buffer.data() + 8 + length);
            EXPECT_EQ(buffer, expected) << "length " << length << ", gap " << gap;
        }
    }
}

// A short piece moved as one block when the output trails far enough: the
// piece lands as memmove puts it, and nothing changes from kept on (kept is
// the piece itself here) nor past end, whatever the length, the gap and the
// room left before end, on either side of the block's size.
TEST(HtmlAppendShortPiece, MovesLikeMemmoveAndKeepsWhatFollows) {
    for (std::size_t length = 0; length <= 40; ++length) {
        for (std::size_t gap = 0; gap <= 40; ++gap) {
            for (std::size_t room = length; room <= 40; ++room) {
                std::string buffer(8 + gap + room + 8, '.');
                for (std::size_t i = 0; i < room; ++i)
                    buffer[8 + gap + i] = static_cast<char>('a' + i % 26);
                std::string expected = buffer;
                std::memmove(expected.data() + 8, expected.data() + 8 + gap, length);
                char *out = buffer.data() + 8;
                char *from = out + gap;
                char *end = AppendShortPiece(from, from + length, out, from + room, from);
                ASSERT_EQ(end, out + length);
                const std::size_t unchangedFrom = 8 + std::max(gap, length);
                EXPECT_EQ(buffer.substr(8, length), expected.substr(8, length))
                    << "length " << length << ", gap " << gap << ", room " << room;
                EXPECT_EQ(buffer.substr(unchangedFrom), expected.substr(unchangedFrom))
                    << "length " << length << ", gap " << gap << ", room " << room;
                EXPECT_EQ(buffer.substr(0, 8), expected.substr(0, 8));
            }
        }
    }
}

// Names next to the letters in the code table ("@", "[", "`", "{") and with
// the high bit set over a letter's code (0xC1 is "A" | 0x80) keep their
// case; the key of a name read with sixteen bytes behind it is the key of
// the name alone.
TEST(HtmlNameKey, ReadTwoWordsAtATimeIsTheKeyOfTheNameAlone) {
    const std::string_view names[] = {
        "",       "a",        "DIV",        "Td",        "@[`{",          "AZaz",
        "\xc1\xda", "onClick", "ABCDEFGH",  "ABCDEFGHI", "AbCdEfGhIjKlMnOp", "AbCdEfGhIjKlMnOpQ",
        "/TITLE", "x-Y_z:9",  "\x7f\x80Zz",
    };
    for (std::string_view name : names) {
        std::string text(name);
        text.append("Q=\"R\" S T U V W X Y Z>");
        const NameKey read = MakeNameKey(text.data(), text.data() + name.size(),
                                         text.data() + text.size());
        EXPECT_EQ(read, MakeNameKey(name)) << '"' << name << '"';
    }
    EXPECT_EQ(MakeNameKey("abcdefgh"), MakeNameKey("ABCDEFGH"));
    EXPECT_NE(MakeNameKey("\xc1"), MakeNameKey("\xe1"));
}

} // namespace
} // namespace crv::test
