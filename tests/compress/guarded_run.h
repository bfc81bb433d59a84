// Runs a compressor the way the worker does, on a copy of the input with a
// given byte in front of it and guard bytes behind its terminator, and checks
// that it kept to its buffer. Shared by the tests of the three compressors.
#ifndef CRV_GUARDED_RUN_H
#define CRV_GUARDED_RUN_H

#include <algorithm>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace crvtest {

constexpr char kGuard = '\x01';
constexpr std::size_t kGuardBytes = 16;

// compress(text, &cursor) runs the compressor over text; returns the output.
template <typename Compressor>
std::string RunGuarded(std::string_view input, char before, Compressor compress) {
    std::vector<char> buffer(1 + input.size() + 1 + kGuardBytes, kGuard);
    buffer[0] = before;
    std::copy(input.begin(), input.end(), buffer.begin() + 1);
    char *text = buffer.data() + 1;
    char *end = text + input.size();
    *end = '\0';
    char *cursor = nullptr;
    compress(text, &cursor);
    EXPECT_EQ(buffer[0], before);
    EXPECT_EQ(*end, '\0');
    EXPECT_TRUE(std::all_of(end + 1, end + 1 + kGuardBytes, [](char c) { return c == kGuard; }));
    if (cursor < text || cursor > end) {
        ADD_FAILURE() << "cursor left the text";
        return "<cursor outside>";
    }
    return std::string(text, cursor);
}

} // namespace crvtest

#endif
