// Feeds arbitrary bytes to CompressJavaScript, on every scan path, in a buffer
// sized to the text, so that AddressSanitizer reports any read or write
// outside it. The first byte picks the call (the seeds start with a digit):
// its bit 0 whether the text stands in a document (comments removed) rather
// than an attribute value, bit 1 hideScripts, bits 2-3 the byte before the
// text ('>' or a quote, as the callers put there). The text is the rest, up to
// any zero byte.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "compress/script/js_compressor.h"
#include "tests/fuzz/every_scan_path.h"

namespace {

constexpr char kBytesBefore[] = {'>', '"', '\'', '>'};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0)
        return 0;
    const crv::Placement placement =
        (data[0] & 1) != 0 ? crv::Placement::kDocument : crv::Placement::kAttributeValue;
    crv::CompressOptions options;
    options.hideScripts = ((data[0] >> 1) & 1) != 0;
    const char before = kBytesBefore[(data[0] >> 2) & 3];
    const char *input = reinterpret_cast<const char *>(data + 1);
    const std::string_view text(input, strnlen(input, size - 1));

    crvtest::CompressOnEveryScanPath(text, before, [&](char *at, crv::ProgressCursor progress) {
        crv::CompressJavaScript(at, placement, options, progress);
    });
    return 0;
}
