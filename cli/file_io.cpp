#include "cli/file_io.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace crvcli {

namespace {

std::string Reason() { return std::error_code(errno, std::generic_category()).message(); }

} // namespace

bool ReadStream(std::FILE *stream, std::uint64_t limit, std::string &bytes, std::string &error) {
    char chunk[1 << 16];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, stream)) > 0) {
        if (std::memchr(chunk, '\0', n)) {
            error = "contains a zero byte, which would end the text early";
            return false;
        }
        if (bytes.size() - 1 + n > limit) {
            error = "longer than the largest text the library takes (" + std::to_string(limit) +
                    " bytes)";
            return false;
        }
        bytes.append(chunk, n);
    }
    if (std::ferror(stream)) {
        error = "cannot read it: " + Reason();
        return false;
    }
    return true;
}

bool WriteStream(std::FILE *stream, std::string_view bytes, std::string &error) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size() ||
        std::fflush(stream) != 0) {
        error = Reason();
        return false;
    }
    return true;
}

bool MakeParentFolders(const std::string &path, std::string &error) {
    std::error_code code;
    std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty() && !std::filesystem::create_directories(parent, code) && code) {
        error = code.message();
        return false;
    }
    return true;
}

} // namespace crvcli
