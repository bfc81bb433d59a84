#include "cli/gzip_size.h"

#include <algorithm>

#include <zlib.h>

namespace crvcli {

namespace {

constexpr int kLevel = 6;
constexpr int kGzipWindowBits = 15 + 16; // 32 KiB window, gzip header and trailer
constexpr int kMemLevel = 8;

// Deflates everything left, counting the output and appending it to kept
// when there is one.
bool Deflate(z_stream &stream, std::string_view bytes, std::uint64_t &size, std::string *kept) {
    unsigned char chunk[1 << 16];
    std::size_t fed = 0;
    int status = Z_OK;
    while (status == Z_OK || status == Z_BUF_ERROR) {
        if (stream.avail_in == 0 && fed < bytes.size()) {
            std::size_t piece = std::min<std::size_t>(bytes.size() - fed, 1u << 30);
            stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.data() + fed));
            stream.avail_in = static_cast<uInt>(piece);
            fed += piece;
        }
        stream.next_out = chunk;
        stream.avail_out = sizeof chunk;
        status = deflate(&stream, fed == bytes.size() ? Z_FINISH : Z_NO_FLUSH);
        std::size_t made = sizeof chunk - stream.avail_out;
        size += made;
        if (kept)
            kept->append(reinterpret_cast<const char *>(chunk), made);
    }
    return status == Z_STREAM_END;
}

std::optional<std::uint64_t> DeflateWhole(std::string_view bytes, std::string *kept) {
    z_stream stream{};
    if (deflateInit2(&stream, kLevel, Z_DEFLATED, kGzipWindowBits, kMemLevel, Z_DEFAULT_STRATEGY) !=
        Z_OK)
        return std::nullopt;
    std::uint64_t size = 0;
    bool done = Deflate(stream, bytes, size, kept);
    deflateEnd(&stream);
    if (!done)
        return std::nullopt;
    return size;
}

} // namespace

std::optional<std::string> Gzip(std::string_view bytes) {
    std::string file;
    if (!DeflateWhole(bytes, &file))
        return std::nullopt;
    return file;
}

std::optional<std::uint64_t> GzipSize(std::string_view bytes) {
    return DeflateWhole(bytes, nullptr);
}

} // namespace crvcli
