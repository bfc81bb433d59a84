// The gzip file behind the summary's figures, from whichever deflater this
// binary is linked with: a valid gzip file of exactly the input, and a size
// that is the whole file's, header and trailer included.
#include "cli/gzip_size.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <random>
#include <string>

namespace {

// Inflates a whole gzip file; none when it is not one, when its check sum or
// length is wrong, or when bytes follow its end.
std::optional<std::string> Gunzip(const std::string &file) {
    z_stream stream{};
    if (inflateInit2(&stream, 15 + 16) != Z_OK)
        return std::nullopt;
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(file.data()));
    stream.avail_in = static_cast<uInt>(file.size());
    std::string content;
    int status = Z_OK;
    while (status == Z_OK) {
        char chunk[1 << 14];
        stream.next_out = reinterpret_cast<Bytef *>(chunk);
        stream.avail_out = sizeof chunk;
        status = inflate(&stream, Z_NO_FLUSH);
        content.append(chunk, sizeof chunk - stream.avail_out);
    }
    bool whole = status == Z_STREAM_END && stream.avail_in == 0;
    inflateEnd(&stream);
    if (!whole)
        return std::nullopt;
    return content;
}

std::string Noise(std::size_t size) {
    std::mt19937 random(7);
    std::string bytes(size, '\0');
    for (char &byte : bytes)
        byte = static_cast<char>(random());
    return bytes;
}

std::string Repeated(const std::string &piece, std::size_t times) {
    std::string bytes;
    for (std::size_t i = 0; i < times; ++i)
        bytes += piece;
    return bytes;
}

struct Case {
    const char *name;
    std::string input;
};

const Case kCases[] = {
    {"empty", ""},
    {"one byte", "a"},
    {"small page", "<p class=\"x\">  Hello,   world  </p>\n"},
    {"every byte value", [] {
         std::string bytes;
         for (int value = 0; value < 256; ++value)
             bytes += static_cast<char>(value);
         return bytes;
     }()},
    {"repetitive, past one output chunk", Repeated("body { margin: 0 auto; }\n", 20000)},
    {"incompressible, stored blocks", Noise(300000)},
};

TEST(GzipSize, MakesAValidGzipFileOfTheInputAndCountsAllOfIt) {
    for (const Case &c : kCases) {
        SCOPED_TRACE(c.name);
        std::optional<std::string> file = crvcli::Gzip(c.input);
        ASSERT_TRUE(file);
        EXPECT_EQ(Gunzip(*file), c.input);
        EXPECT_EQ(crvcli::GzipSize(c.input), file->size());
    }
}

TEST(GzipSize, CompressesWhatRepeats) {
    std::string input = Repeated("<li>item</li>\n", 10000);
    std::optional<std::uint64_t> size = crvcli::GzipSize(input);
    ASSERT_TRUE(size);
    EXPECT_LT(*size, input.size() / 20);
}

} // namespace
