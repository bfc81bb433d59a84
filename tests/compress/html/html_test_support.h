// Runs CompressHtml the way the worker does, on a copy of the input with a
// marked byte in front of it and guard bytes behind its terminator, and
// checks that it kept to its buffer.
#ifndef CRV_HTML_TEST_SUPPORT_H
#define CRV_HTML_TEST_SUPPORT_H

#include <algorithm>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "compress/html/html_compressor.h"
#include "sdk/instance.h"
#include "tests/compress/guarded_run.h"

namespace crv::test {

constexpr char kByteBefore = '#';

// The property flags of an instance; the defaults are those of a new one.
struct Properties {
    bool deleteComments = false;
    bool protectEvents = true;
    bool compressScripts = false;
    bool compressStyles = false;
    bool hideScripts = false;
};

inline void SetProperties(CompressorInstance &instance, const Properties &properties) {
    instance.deleteComments = properties.deleteComments ? 1 : 0;
    instance.protectEvents = properties.protectEvents ? 1 : 0;
    instance.compressScripts = properties.compressScripts ? 1 : 0;
    instance.compressStyles = properties.compressStyles ? 1 : 0;
    instance.hideScripts = properties.hideScripts ? 1 : 0;
}

inline std::string Compress(std::string_view input, const Properties &properties = {}) {
    CompressorInstance instance;
    SetProperties(instance, properties);
    return crvtest::RunGuarded(input, kByteBefore, [&](char *text, char **cursor) {
        CompressHtml(text, cursor, &instance);
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
