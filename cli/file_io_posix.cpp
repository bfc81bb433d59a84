#include "cli/file_io.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "cli/temporaries.h"
#include "cli/test_seams.h"

namespace crvcli {

struct InputFile {
    int folder = -1;
    int fd = -1;
    std::string folderPath;
    std::string name;
    struct stat status {};
};

void InputFileCloser::operator()(InputFile *file) const {
    if (file->fd >= 0)
        close(file->fd);
    if (file->folder >= 0)
        close(file->folder);
    delete file;
}

namespace {

std::string Reason(int code) { return std::error_code(code, std::generic_category()).message(); }

constexpr int kNameAttempts = 16;

bool IsLink(int folder, const std::string &name) {
    struct stat status;
    return fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
           S_ISLNK(status.st_mode);
}

// Opens path one folder at a time, refusing a symbolic link on the way.
int OpenFolder(const std::string &path, std::string &error) {
    int fd = open(path.starts_with('/') ? "/" : ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (std::size_t start = 0; fd >= 0 && start < path.size();) {
        std::size_t slash = std::min(path.find('/', start), path.size());
        std::string part = path.substr(start, slash - start);
        start = slash + 1;
        if (part.empty() || part == ".")
            continue;
        int next = openat(fd, part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        int code = errno;
        if (next < 0 && IsLink(fd, part))
            error = "the folder " + path.substr(0, slash) +
                    " is a symbolic link now; the file was left as it was";
        else if (next < 0)
            error = "cannot open the folder " + path.substr(0, slash) + ": " + Reason(code);
        close(fd);
        fd = next;
    }
    return fd;
}

bool WriteAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        std::size_t piece = std::min<std::size_t>(bytes.size() - done, SSIZE_MAX);
        ssize_t n = write(fd, bytes.data() + done, piece);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Copies every extended attribute, POSIX ACLs among them (they are stored so).
bool CopyAttributes(int from, int to, std::string &error) {
    ssize_t length = flistxattr(from, nullptr, 0);
    if (length < 0)
        return errno == ENOTSUP;
    std::vector<char> names(static_cast<std::size_t>(length));
    length = flistxattr(from, names.data(), names.size());
    for (ssize_t at = 0; length > 0 && at < length;) {
        const char *name = names.data() + at;
        at += static_cast<ssize_t>(std::char_traits<char>::length(name)) + 1;
        ssize_t size = fgetxattr(from, name, nullptr, 0);
        std::vector<char> value(static_cast<std::size_t>(std::max<ssize_t>(size, 0)));
        if (size < 0 || fgetxattr(from, name, value.data(), value.size()) != size ||
            fsetxattr(to, name, value.data(), value.size(), 0) != 0) {
            error = "cannot keep its extended attribute " + std::string(name) + ": " +
                    Reason(errno);
            return false;
        }
    }
    return length >= 0;
}

// Gives the new file the original's owner, group, attributes and permissions,
// in that order: a change of owner clears set-id bits, and an ACL sets the
// group bits.
bool KeepMetadata(const InputFile &original, int fd, std::string &error) {
    const struct stat &status = original.status;
    if (fchown(fd, status.st_uid, status.st_gid) != 0) {
        error = "cannot keep its owner and group: " + Reason(errno);
        return false;
    }
    if (!CopyAttributes(original.fd, fd, error))
        return false;
    if (fchmod(fd, status.st_mode & 07777) != 0) {
        error = "cannot keep its permissions: " + Reason(errno);
        return false;
    }
    return true;
}

using Finish = bool (*)(const InputFile &input, int fd, std::string &error);

bool NothingMore(const InputFile &, int, std::string &) { return true; }

// Writes bytes to a new file in folder and renames it to name; finish gives
// the new file what it keeps of the input before it takes the name.
bool WriteBeside(int folder, const std::string &folderPath, const std::string &name,
                 std::string_view bytes, mode_t mode, const InputFile &input, Finish finish,
                 std::string &error) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string temporary = TemporaryNameFor(name);
        int fd = openat(folder, temporary.c_str(),
                        O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0) {
            error = "cannot make a new file in the folder " + folderPath + ": " + Reason(errno);
            return false;
        }
        int slot = RememberTemporary(folder, temporary);
        bool ok = finish(input, fd, error);
        if (ok && !(WriteAll(fd, bytes) && fsync(fd) == 0))
            error = "cannot write a new file in the folder " + folderPath + ": " + Reason(errno),
            ok = false;
        if (close(fd) != 0 && ok)
            error = "cannot write a new file in the folder " + folderPath + ": " + Reason(errno),
            ok = false;
        HoldForTest(kHoldBeforeRename);
        if (ok && renameat(folder, temporary.c_str(), folder, name.c_str()) != 0)
            error = "cannot put the new file in its place: " + Reason(errno), ok = false;
        if (!ok)
            unlinkat(folder, temporary.c_str(), 0);
        ForgetTemporary(slot);
        return ok;
    }
    error = "no free name for a new file beside it";
    return false;
}

void Split(const std::string &path, std::string &folder, std::string &name) {
    std::size_t slash = path.rfind('/');
    folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    name = slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

Opened OpenInput(const std::string &location) {
    InputHandle file(new InputFile);
    Split(location, file->folderPath, file->name);
    Opened opened;
    file->folder = OpenFolder(file->folderPath, opened.error);
    if (file->folder < 0)
        return opened;
    // A device is not even opened: opening some has effects of its own.
    struct stat status;
    if (fstatat(file->folder, file->name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
        !S_ISREG(status.st_mode) && !S_ISLNK(status.st_mode)) {
        opened.skip = "not a regular file; skipped";
        return opened;
    }
    file->fd = openat(file->folder, file->name.c_str(),
                      O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (file->fd < 0) {
        int code = errno;
        opened.error = IsLink(file->folder, file->name)
                           ? "it is a symbolic link now; it was left as it was"
                           : "cannot read the file: " + Reason(code);
        return opened;
    }
    if (fstat(file->fd, &file->status) != 0) {
        opened.error = "cannot read the file: " + Reason(errno);
        return opened;
    }
    if (!S_ISREG(file->status.st_mode))
        opened.skip = "not a regular file; skipped";
    else
        opened.file = std::move(file);
    return opened;
}

std::uint64_t SizeOf(const InputFile &file) {
    return static_cast<std::uint64_t>(file.status.st_size);
}

std::uint64_t LinkCount(const InputFile &file) { return file.status.st_nlink; }

bool ReadInput(InputFile &file, char *buffer, std::uint64_t size, std::string &error) {
    std::uint64_t done = 0;
    while (done < size) {
        std::size_t piece = static_cast<std::size_t>(std::min<std::uint64_t>(size - done, 1 << 30));
        ssize_t n = pread(file.fd, buffer + done, piece, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = n < 0 ? "cannot read the file: " + Reason(errno)
                          : "the file became shorter while it was read; it was left as it was";
            return false;
        }
        done += static_cast<std::uint64_t>(n);
    }
    return true;
}

bool ReplaceInput(InputFile &file, std::string_view bytes, std::string &error) {
    if ((file.status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
        faccessat(file.folder, file.name.c_str(), W_OK, AT_EACCESS) != 0) {
        error = "the file is read-only";
        return false;
    }
    return WriteBeside(file.folder, file.folderPath, file.name, bytes, S_IRUSR | S_IWUSR, file,
                       KeepMetadata, error);
}

bool WriteCopy(const InputFile &input, const std::string &path, std::string_view bytes,
               std::string &error) {
    std::string folderPath, name;
    Split(path, folderPath, name);
    int folder = open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) {
        error = "cannot open the folder " + folderPath + ": " + Reason(errno);
        return false;
    }
    // The umask narrows this further, as for any new file.
    mode_t mode = input.status.st_mode & 0777;
    bool ok = WriteBeside(folder, folderPath, name, bytes, mode, input, NothingMore, error);
    close(folder);
    return ok;
}

} // namespace crvcli
