// Runs a compressor the way the worker does, on a copy of the input with a
// given byte in front of it and guard bytes behind its terminator, and checks
// that it kept to its buffer. Shared by the tests of the three compressors.
#ifndef CRV_GUARDED_RUN_H
#define CRV_GUARDED_RUN_H

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "tests/support/guarded_buffer.h"

namespace crvtest {

// compress(text, progress) runs the compressor over text; returns the output.
template <typename Compressor>
std::string RunGuarded(std::string_view input, char before, Compressor compress) {
    GuardedBuffer buffer(input, before);
    const char *cursor = buffer.Run(compress);
    EXPECT_TRUE(buffer.FrameIntact()) << "wrote outside the text";
    if (!buffer.Holds(cursor)) {
        ADD_FAILURE() << "cursor left the text";
        return "<cursor outside>";
    }
    const char *text = buffer.Text();
    return std::string(text, cursor);
}

} // namespace crvtest

#endif
