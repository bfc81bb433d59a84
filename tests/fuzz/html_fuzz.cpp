// Feeds arbitrary bytes to CompressHtml in a buffer sized to the text, so that
// AddressSanitizer reports any read or write outside it. The first byte picks
// the instance's property flags, one bit each (the seeds start with a letter
// from "@" to "_"); the text is the rest, up to any zero byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "compress/html/html_compressor.h"
#include "sdk/instance.h"

namespace {

void SetProperties(CompressorInstance &instance, std::uint8_t bits) {
    instance.deleteComments = bits & 1;
    instance.protectEvents = (bits >> 1) & 1;
    instance.compressScripts = (bits >> 2) & 1;
    instance.compressStyles = (bits >> 3) & 1;
    instance.hideScripts = (bits >> 4) & 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0)
        return 0;
    CompressorInstance instance;
    SetProperties(instance, data[0]);
    const char *input = reinterpret_cast<const char *>(data + 1);
    std::size_t length = strnlen(input, size - 1);

    // [byte before the text][text][terminator], nothing more. The byte before
    // is not the worker's ">": the compressor must not read it.
    auto buffer = std::make_unique<char[]>(length + 2);
    buffer[0] = '#';
    std::memcpy(buffer.get() + 1, input, length);
    char *text = buffer.get() + 1;
    text[length] = '\0';

    char *cursor = nullptr;
    CompressHtml(text, &cursor, &instance);
    if (cursor < text || cursor > text + length || text[length] != '\0' || buffer[0] != '#')
        std::abort();
    return 0;
}
