// Compressing a whole file in place.
#include <cstring>
#include <memory>
#include <new>

#include "sdk/instance.h"

using namespace crv;

namespace {

// Spare bytes in front of the text (the last is the byte the worker writes
// '>' into) and behind its terminator.
constexpr std::uint64_t kSpareBefore = 9;
constexpr std::uint64_t kSpareAfter = 9;
constexpr std::uint64_t kSpare = kSpareBefore + 1 + kSpareAfter;

// The largest file whose buffer, spare bytes included, has a 32-bit size.
constexpr std::uint64_t kMaxFileSize = 0xFFFFFFFFu - kSpare;

// Reads the whole file into a new buffer, text kSpareBefore bytes in and
// zero-terminated; null when the file cannot be read or held. A zero byte
// inside would end the text early and the rest of the file would be lost on
// rewriting, so such a file is not taken either.
std::unique_ptr<char[]> ReadIntoBuffer(const char *fileName, std::uint64_t &size) {
    platform::File *file = platform::OpenForReading(fileName);
    if (!file)
        return nullptr;
    std::unique_ptr<char[]> buffer;
    if (platform::GetFileSize(file, size) && size <= kMaxFileSize)
        buffer.reset(new (std::nothrow) char[size + kSpare]);
    if (buffer && !platform::ReadExactly(file, buffer.get() + kSpareBefore, size))
        buffer.reset();
    platform::CloseFile(file);
    if (!buffer || std::memchr(buffer.get() + kSpareBefore, '\0', size))
        return nullptr;
    buffer[kSpareBefore + size] = '\0';
    return buffer;
}

} // namespace

extern "C" int32_t CRV_CALL CRVCompressFile(int32_t instanceId, uint32_t dataType,
                                            const char *fileName) {
    std::uint64_t size = 0;
    std::unique_ptr<char[]> buffer = ReadIntoBuffer(fileName, size);
    if (!buffer)
        return CRV_ERR_READ_FILE;
    char *text = buffer.get() + kSpareBefore;
    char *end = nullptr;
    std::int32_t result = CRVCompressRawData(instanceId, dataType & 0xFF, text, &end, 1);
    if ((result & 0xFF) != CRV_OK)
        return result;
    *end = '\0';
    return platform::ReplaceFileContent(fileName, text, static_cast<std::uint64_t>(end - text))
               ? CRV_OK
               : CRV_ERR_WRITE_FILE;
}
