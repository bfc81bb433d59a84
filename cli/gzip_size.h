#ifndef CRV_CLI_GZIP_SIZE_H
#define CRV_CLI_GZIP_SIZE_H

#include <cstdint>
#include <optional>
#include <string_view>

namespace crvcli {

// The size of bytes in gzip format at deflate level 6, what a web server's
// Content-Encoding: gzip typically sends; none when zlib fails.
std::optional<std::uint64_t> GzipSize(std::string_view bytes);

} // namespace crvcli

#endif
