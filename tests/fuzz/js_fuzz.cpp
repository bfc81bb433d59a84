// Feeds arbitrary bytes to CompressJavaScript in a buffer sized to the text,
// so that AddressSanitizer reports any read or write outside it. The first
// byte picks the call (the seeds start with a digit): its bit 0 whether
// comments are removed, bit 1 hideScripts, bits 2-3 the byte before the text
// ('>' or a quote, as the callers put there). The text is the rest, up to any
// zero byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "compress/script/js_compressor.h"
#include "sdk/instance.h"

namespace {

constexpr char kBytesBefore[] = {'>', '"', '\'', '>'};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::uint8_t removeComments = data[0] & 1;
    CompressorInstance instance;
    instance.hideScripts = (data[0] >> 1) & 1;
    const char before = kBytesBefore[(data[0] >> 2) & 3];
    const char *input = reinterpret_cast<const char *>(data + 1);
    std::size_t length = strnlen(input, size - 1);

    // [byte before the text][text][terminator], nothing more.
    auto buffer = std::make_unique<char[]>(length + 2);
    buffer[0] = before;
    std::memcpy(buffer.get() + 1, input, length);
    char *text = buffer.get() + 1;
    text[length] = '\0';

    char *cursor = nullptr;
    CompressJavaScript(text, removeComments, &cursor, &instance);
    if (cursor < text || cursor > text + length || text[length] != '\0' || buffer[0] != before)
        std::abort();
    return 0;
}
