#include "cli/file_io.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "cli/file_release.h"
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

struct NewFile {
    InputHandle input; // for a replacement: its folder held open until it is replaced
    int folder = -1;   // the folder the new file is in
    bool ownsFolder = false;
    dev_t device = 0;
    std::string folderPath;
    std::string name;      // the name it takes
    std::string temporary; // empty once it has taken the name
    int slot = -1;
};

void NewFileCloser::operator()(NewFile *file) const {
    if (!file->temporary.empty())
        unlinkat(file->folder, file->temporary.c_str(), 0);
    ForgetTemporary(file->slot);
    if (file->ownsFolder)
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

// The folder a thread last opened for an input, kept open: files come in the
// order of the walk, so most share the folder of the one before, and a copy
// of its descriptor costs one call where the way down the path costs two per
// folder. The copy is of the folder opened then, link-free, wherever it is now.
class LastFolder {
public:
    LastFolder() = default;
    LastFolder(const LastFolder &) = delete;
    LastFolder &operator=(const LastFolder &) = delete;
    ~LastFolder() { Forget(); }

    int Open(const std::string &path, std::string &error) {
        if (fd_ >= 0 && path == path_) {
            if (int copy = fcntl(fd_, F_DUPFD_CLOEXEC, 0); copy >= 0)
                return copy;
        }
        int fd = OpenFolder(path, error);
        Forget();
        if (fd >= 0 && (fd_ = fcntl(fd, F_DUPFD_CLOEXEC, 0)) >= 0)
            path_ = path;
        return fd;
    }

private:
    void Forget() {
        if (fd_ >= 0)
            close(fd_);
        fd_ = -1;
    }

    int fd_ = -1;
    std::string path_;
};

thread_local LastFolder lastInputFolder;

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

#ifdef __linux__
// Whether one syncfs() makes the new files durable and reports a failure to
// write any of them back: Linux does so from 5.8; before, a failed writeback
// could go unnoticed, so each file is synced on its own there.
bool SyncedTogether() {
    static const bool together = [] {
        struct utsname system;
        unsigned major = 0, minor = 0;
        return uname(&system) == 0 && std::sscanf(system.release, "%u.%u", &major, &minor) == 2 &&
               (major > 5 || (major == 5 && minor >= 8));
    }();
    return together;
}
#else
bool SyncedTogether() { return false; }
#endif

// Writes bytes to a new file in folder under a temporary name beside name;
// finish gives the new file what it keeps of the input first. The file is
// synced here only when it cannot be synced with the others later.
bool WriteBeside(NewFile &file, std::string_view bytes, mode_t mode, const InputFile &input,
                 Finish finish, std::string &error) {
    const std::string where = " in the folder " + file.folderPath + ": ";
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string temporary = TemporaryNameFor(file.name);
        int fd = openat(file.folder, temporary.c_str(),
                        O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0) {
            error = "cannot make a new file" + where + Reason(errno);
            return false;
        }
        file.temporary = temporary;
        file.slot = RememberTemporary(file.folder, temporary);
        bool ok = finish(input, fd, error);
        if (ok && !(WriteAll(fd, bytes) && (SyncedTogether() || fsync(fd) == 0)))
            error = "cannot write a new file" + where + Reason(errno), ok = false;
        if (close(fd) != 0 && ok)
            error = "cannot write a new file" + where + Reason(errno), ok = false;
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
    file->folder = lastInputFolder.Open(file->folderPath, opened.error);
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

NewFileHandle ReplaceInput(InputHandle file, std::string_view bytes, std::string &error) {
    if ((file->status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
        faccessat(file->folder, file->name.c_str(), W_OK, AT_EACCESS) != 0) {
        error = "the file is read-only";
        return nullptr;
    }
    NewFileHandle replacement(new NewFile);
    replacement->folder = file->folder;
    replacement->device = file->status.st_dev;
    replacement->folderPath = file->folderPath;
    replacement->name = file->name;
    const InputFile &input = *file;
    replacement->input = std::move(file);
    if (!WriteBeside(*replacement, bytes, S_IRUSR | S_IWUSR, input, KeepMetadata, error))
        return nullptr;
    // Only its folder is needed from here on; a batch holds one descriptor a file.
    close(replacement->input->fd);
    replacement->input->fd = -1;
    return replacement;
}

NewFileHandle WriteCopy(const InputFile &input, const std::string &path, std::string_view bytes,
                        std::string &error) {
    NewFileHandle copy(new NewFile);
    Split(path, copy->folderPath, copy->name);
    copy->folder = open(copy->folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    copy->ownsFolder = copy->folder >= 0;
    struct stat status;
    if (copy->folder < 0 || fstat(copy->folder, &status) != 0) {
        error = "cannot open the folder " + copy->folderPath + ": " + Reason(errno);
        return nullptr;
    }
    copy->device = status.st_dev;
    // The umask narrows this further, as for any new file.
    mode_t mode = input.status.st_mode & 0777;
    if (!WriteBeside(*copy, bytes, mode, input, NothingMore, error))
        return nullptr;
    return copy;
}

namespace {

// Syncs each file system the files are on once; the reason a file's system
// could not be synced, or empty.
std::vector<std::string> SyncFileSystems(const std::vector<NewFileHandle> &files) {
    std::vector<std::string> errors(files.size());
#ifdef __linux__
    if (!SyncedTogether())
        return errors;
    for (std::size_t first = 0; first < files.size(); ++first) {
        bool seen = false;
        for (std::size_t before = 0; before < first && !seen; ++before)
            seen = files[before]->device == files[first]->device;
        if (seen)
            continue;
        // A failure may be any file's on that system: none of them is trusted.
        if (syncfs(files[first]->folder) != 0)
            for (std::size_t i = first; i < files.size(); ++i)
                if (files[i]->device == files[first]->device)
                    errors[i] = "cannot write a new file in the folder " + files[i]->folderPath +
                                ": " + Reason(errno);
    }
#endif
    return errors;
}

// A hold on what the new file replaces, so that the rename does not free
// it (see file_release.h); -1 where there is nothing to hold. A path
// descriptor opens nothing: a pipe put there meanwhile cannot block it.
int HoldReplaced(const NewFile &file) {
#ifdef O_PATH
    return openat(file.folder, file.name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
#else
    (void)file;
    return -1;
#endif
}

} // namespace

std::vector<std::string> PutInPlace(std::vector<NewFileHandle> &files) {
    std::vector<std::string> errors = SyncFileSystems(files);
    HoldForTest(kHoldBeforeRename);
    for (std::size_t i = 0; i < files.size(); ++i) {
        NewFile &file = *files[i];
        if (!errors[i].empty())
            continue;
        int replaced = HoldReplaced(file);
        if (renameat(file.folder, file.temporary.c_str(), file.folder, file.name.c_str()) != 0)
            errors[i] = "cannot put the new file in its place: " + Reason(errno);
        else
            file.temporary.clear();
        if (replaced >= 0)
            ReleaseLater(replaced);
    }
    return errors;
}

} // namespace crvcli
