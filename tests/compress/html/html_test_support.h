// Runs CompressHtml the way the worker does, on a copy of the input with a
// marked byte in front of it and guard bytes behind its terminator, and
// checks that it kept to its buffer.
#ifndef CRV_HTML_TEST_SUPPORT_H
#define CRV_HTML_TEST_SUPPORT_H

#include <ostream>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "compress/html/html_compressor.h"
#include "tests/compress/guarded_run.h"

namespace crv::test {

constexpr char kByteBefore = '#';

inline std::string Compress(std::string_view input, const CompressOptions &options = {}) {
    return crvtest::RunGuarded(input, kByteBefore, [&](char *text, ProgressCursor progress) {
        CompressHtml(text, options, progress);
    });
}

// One table row: the input and what it must become, side by side.
struct Case {
    std::string_view input;
    std::string_view expected;
};

inline void PrintTo(const Case &c, std::ostream *os) { *os << '"' << c.input << '"'; }

} // namespace crv::test

#endif
