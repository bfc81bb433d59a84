#include "cli/file_io.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace crvcli {

namespace {

std::string Reason() { return std::strerror(errno); }

bool WriteAll(int fd, const std::string &bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Writes, flushes and closes the new file; the reason when any step fails.
bool FillNewFile(int fd, const std::string &bytes, mode_t mode, std::string &error) {
    bool ok = WriteAll(fd, bytes) && fchmod(fd, mode) == 0 && fsync(fd) == 0;
    if (!ok)
        error = Reason();
    if (close(fd) != 0 && ok) {
        error = Reason();
        ok = false;
    }
    return ok;
}

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

bool ReplaceFile(const std::string &path, const std::string &bytes, std::string &error) {
    struct stat original;
    if (stat(path.c_str(), &original) != 0 || access(path.c_str(), W_OK) != 0) {
        error = Reason();
        return false;
    }
    std::string temporary = path + ".crvXXXXXX";
    int fd = mkstemp(temporary.data());
    if (fd < 0) {
        error = Reason();
        return false;
    }
    if (!FillNewFile(fd, bytes, original.st_mode & 07777, error) ||
        rename(temporary.c_str(), path.c_str()) != 0) {
        if (error.empty())
            error = Reason();
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

bool WriteStream(std::FILE *stream, const std::string &bytes, std::string &error) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size() ||
        std::fflush(stream) != 0) {
        error = Reason();
        return false;
    }
    return true;
}

} // namespace crvcli
