// Files on POSIX: reading whole, and replacing content through a new file.
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <new>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "sdk/platform.h"

namespace crv::platform {

struct File {
    int fd;
};

namespace {

bool WriteAll(int fd, const char *bytes, std::uint64_t size) {
    while (size > 0) {
        ssize_t n = write(fd, bytes, size < SSIZE_MAX ? size : SSIZE_MAX);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes += n;
        size -= static_cast<std::uint64_t>(n);
    }
    return true;
}

// A file nobody may write counts as read-only, for root too, as it does on
// Windows; otherwise the caller must be allowed to write it.
bool IsWritable(const char *path, const struct stat &status) {
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && access(path, W_OK) == 0;
}

// Fills the new file and gives it the original's owner and permissions.
bool FillNewFile(int fd, const char *bytes, std::uint64_t size, const struct stat &original) {
    if (!WriteAll(fd, bytes, size))
        return false;
    // Only the owner or root may give the file away; the group may differ.
    [[maybe_unused]] int ignored = fchown(fd, original.st_uid, original.st_gid);
    return fchmod(fd, original.st_mode & 07777) == 0 && fsync(fd) == 0;
}

} // namespace

// Only regular files are read: a FIFO or a device would block or answer
// without end, and opening some devices already changes them. The name is
// asked first, so those are not even opened; the descriptor is asked again
// in case the name was swapped meanwhile, opened without blocking so that a
// FIFO slipped in cannot hold the call.
File *OpenForReading(const char *fileName) {
    struct stat status;
    if (stat(fileName, &status) != 0 || !S_ISREG(status.st_mode))
        return nullptr;
    int fd;
    do
        fd = open(fileName, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return nullptr;
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(fd);
        return nullptr;
    }
    auto *file = new (std::nothrow) File{fd};
    if (!file)
        close(fd);
    return file;
}

bool GetFileSize(File *file, std::uint64_t &size) {
    struct stat status;
    if (fstat(file->fd, &status) != 0)
        return false;
    size = static_cast<std::uint64_t>(status.st_size);
    return true;
}

bool ReadExactly(File *file, char *bytes, std::uint64_t size) {
    while (size > 0) {
        ssize_t n = read(file->fd, bytes, size < SSIZE_MAX ? size : SSIZE_MAX);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes += n;
        size -= static_cast<std::uint64_t>(n);
    }
    return true;
}

void CloseFile(File *file) {
    close(file->fd);
    delete file;
}

bool ReplaceFileContent(const char *fileName, const char *bytes, std::uint64_t size) {
    // Through a symbolic link the file it names is replaced, not the link.
    char *resolved = realpath(fileName, nullptr);
    if (!resolved)
        return false;
    std::string target = resolved;
    std::free(resolved);
    struct stat original;
    if (stat(target.c_str(), &original) != 0 || !IsWritable(target.c_str(), original))
        return false;
    std::string temporary = target + ".crvXXXXXX";
    int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    bool filled = FillNewFile(fd, bytes, size, original);
    bool closed = close(fd) == 0;
    if (filled && closed && rename(temporary.c_str(), target.c_str()) == 0)
        return true;
    unlink(temporary.c_str());
    return false;
}

} // namespace crv::platform
