// A text for the scan tests to place stop bytes in.
#ifndef CRV_TEST_LETTER_TEXT_H
#define CRV_TEST_LETTER_TEXT_H

#include <cstddef>
#include <memory>

namespace crvtest {

// length letters, none of them a stop of any scan, in an allocation that
// ends at its zero byte, so that AddressSanitizer sees any read past it.
struct LetterText {
    explicit LetterText(std::size_t length)
        : bytes(std::make_unique<char[]>(length + 1)), size(length) {
        for (std::size_t i = 0; i < length; ++i)
            bytes[i] = static_cast<char>('a' + i % 26);
        bytes[length] = '\0';
    }
    const char *Begin() const { return bytes.get(); }
    const char *At(std::size_t offset) const { return bytes.get() + offset; }
    const char *End() const { return bytes.get() + size; }

    std::unique_ptr<char[]> bytes;
    std::size_t size;
};

} // namespace crvtest

#endif
