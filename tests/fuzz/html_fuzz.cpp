// Feeds arbitrary bytes to CompressHtml, on every scan path, in a buffer sized
// to the text, so that AddressSanitizer reports any read or write outside it.
// The first byte picks the option switches, one bit each (the seeds start with
// a letter from "@" to "_"); the text is the rest, up to any zero byte.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "compress/html/html_compressor.h"
#include "tests/fuzz/every_scan_path.h"

namespace {

crv::CompressOptions OptionsOf(std::uint8_t bits) {
    crv::CompressOptions options;
    options.deleteComments = (bits & 1) != 0;
    options.protectEvents = ((bits >> 1) & 1) != 0;
    options.compressScripts = ((bits >> 2) & 1) != 0;
    options.compressStyles = ((bits >> 3) & 1) != 0;
    options.hideScripts = ((bits >> 4) & 1) != 0;
    return options;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0)
        return 0;
    const crv::CompressOptions options = OptionsOf(data[0]);
    const char *input = reinterpret_cast<const char *>(data + 1);
    const std::string_view text(input, strnlen(input, size - 1));

    // The byte before is not the worker's ">": the compressor must not read it.
    crvtest::CompressOnEveryScanPath(text, '#', [&](char *at, crv::ProgressCursor progress) {
        crv::CompressHtml(at, options, progress);
    });
    return 0;
}
