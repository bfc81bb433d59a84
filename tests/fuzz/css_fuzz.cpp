// Feeds arbitrary bytes to CompressCss in a buffer sized to the text, so that
// AddressSanitizer reports any read or write outside it. The first byte picks
// whether comments are removed (its low bit: the seeds start with "1" or "0")
// and whether the text is a style attribute's declarations (the next bit:
// "2" or "3"); the text is the rest, up to any zero byte.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "compress/script/css_compressor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0)
        return 0;
    std::uint8_t removeComments = data[0] & 1;
    const bool declarations = (data[0] & 2) != 0;
    const char before = declarations ? '"' : '>';
    const char *input = reinterpret_cast<const char *>(data + 1);
    auto length = static_cast<std::size_t>(std::find(input, input + size - 1, '\0') - input);

    // [byte before the text][text][terminator], nothing more.
    auto buffer = std::make_unique<char[]>(length + 2);
    buffer[0] = before;
    std::memcpy(buffer.get() + 1, input, length);
    char *text = buffer.get() + 1;
    text[length] = '\0';

    char *cursor = nullptr;
    if (declarations)
        CompressCssDeclarations(text, removeComments, &cursor);
    else
        CompressCss(text, removeComments, &cursor, nullptr);
    if (cursor < text || cursor > text + length || text[length] != '\0' || buffer[0] != before)
        std::abort();
    return 0;
}
