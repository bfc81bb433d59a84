#include "cli/gzip_size.h"

#include <memory>

#include <libdeflate.h>

namespace crvcli {

namespace {

constexpr int kLevel = 6;

struct CompressorDeleter {
    void operator()(libdeflate_compressor *compressor) const {
        libdeflate_free_compressor(compressor);
    }
};

// One compressor per thread, kept between files: making one costs more than
// deflating a small file.
libdeflate_compressor *ThreadCompressor() {
    thread_local std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor{
        libdeflate_alloc_compressor(kLevel)};
    return compressor.get();
}

// Compresses bytes into file, which is sized by the bound but left
// uninitialised, so that only the pages written become resident; returns the
// length made, 0 on failure.
std::size_t Compress(std::string_view bytes, std::unique_ptr<char[]> &file) {
    libdeflate_compressor *compressor = ThreadCompressor();
    if (!compressor)
        return 0;
    std::size_t bound = libdeflate_gzip_compress_bound(compressor, bytes.size());
    file = std::make_unique_for_overwrite<char[]>(bound);
    return libdeflate_gzip_compress(compressor, bytes.data(), bytes.size(), file.get(), bound);
}

} // namespace

std::optional<std::string> Gzip(std::string_view bytes) {
    std::unique_ptr<char[]> file;
    std::size_t size = Compress(bytes, file);
    if (size == 0)
        return std::nullopt;
    return std::string(file.get(), size);
}

std::optional<std::uint64_t> GzipSize(std::string_view bytes) {
    std::unique_ptr<char[]> file;
    std::size_t size = Compress(bytes, file);
    if (size == 0)
        return std::nullopt;
    return size;
}

} // namespace crvcli
