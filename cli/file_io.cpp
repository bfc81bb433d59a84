#include "cli/file_io.h"

#include <cerrno>
#include <filesystem>
#include <random>
#include <system_error>

namespace crvcli {

namespace {

std::string Reason() { return std::error_code(errno, std::generic_category()).message(); }

// A fresh name beside path for the file that will replace it.
std::string TemporaryName(const std::string &path) {
    thread_local std::mt19937 random{std::random_device{}()};
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".crv%08x", static_cast<unsigned>(random()));
    return path + suffix;
}

constexpr int kNameAttempts = 16;

} // namespace

bool ReadStream(std::FILE *stream, std::string &bytes, std::string &error) {
    char chunk[1 << 16];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, stream)) > 0)
        bytes.append(chunk, n);
    if (std::ferror(stream)) {
        error = Reason();
        return false;
    }
    return true;
}

bool ReadFile(const std::string &path, std::string &bytes, std::string &error) {
    std::FILE *file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error = Reason();
        return false;
    }
    bool ok = ReadStream(file, bytes, error);
    std::fclose(file);
    return ok;
}

bool WriteStream(std::FILE *stream, const std::string &bytes, std::string &error) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size() ||
        std::fflush(stream) != 0) {
        error = Reason();
        return false;
    }
    return true;
}

bool WriteFileSafely(const std::string &path, const std::string &bytes, std::string &error) {
    std::error_code code;
    std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty() && !std::filesystem::create_directories(parent, code) && code) {
        error = code.message();
        return false;
    }
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string temporary = TemporaryName(path);
        NewFile written = WriteNewFile(temporary, bytes, error);
        if (written == NewFile::NameTaken)
            continue;
        if (written == NewFile::Written && RenameOver(temporary, path, error))
            return true;
        std::filesystem::remove(temporary, code);
        return false;
    }
    error = "no free name for a new file beside it";
    return false;
}

} // namespace crvcli
