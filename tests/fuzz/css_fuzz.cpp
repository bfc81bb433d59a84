// Feeds arbitrary bytes to CompressCss, on every scan path, in a buffer sized
// to the text, so that AddressSanitizer reports any read or write outside it.
// The first byte picks whether the style sheet stands in a document (comments
// removed; its low bit: the seeds start with "1" or "0") and whether the text
// is a style attribute's declarations instead (the next bit: "2" or "3"; a
// style attribute keeps its comments, so the low bit is then not read); the
// text is the rest, up to any zero byte.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "compress/script/css_compressor.h"
#include "tests/fuzz/every_scan_path.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0)
        return 0;
    const crv::Placement placement =
        (data[0] & 1) != 0 ? crv::Placement::kDocument : crv::Placement::kAttributeValue;
    const bool declarations = (data[0] & 2) != 0;
    const char before = declarations ? '"' : '>';
    const char *input = reinterpret_cast<const char *>(data + 1);
    const std::string_view text(input, std::find(input, input + size - 1, '\0'));

    crvtest::CompressOnEveryScanPath(text, before, [&](char *at, crv::ProgressCursor progress) {
        if (declarations)
            crv::CompressCssDeclarations(at, progress);
        else
            crv::CompressCss(at, placement, progress);
    });
    return 0;
}
