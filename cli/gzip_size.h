#ifndef CRV_CLI_GZIP_SIZE_H
#define CRV_CLI_GZIP_SIZE_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace crvcli {

// The gzip file of bytes at deflate level 6, what a web server's
// Content-Encoding: gzip typically sends, header and trailer included; none
// when the deflater fails. Made by libdeflate where the build found it, by
// zlib otherwise; the two make valid gzip files of slightly different sizes.
std::optional<std::string> Gzip(std::string_view bytes);

// The size of Gzip(bytes), without keeping the file where the deflater allows.
std::optional<std::uint64_t> GzipSize(std::string_view bytes);

} // namespace crvcli

#endif
