#include "cli/file_io.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace crvcli {

namespace {

std::string Reason() { return std::error_code(errno, std::generic_category()).message(); }

bool WriteAll(int fd, const std::string &bytes) {
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

} // namespace

NewFile WriteNewFile(const std::string &path, const std::string &bytes, std::string &error) {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = Reason();
        return errno == EEXIST ? NewFile::NameTaken : NewFile::Failed;
    }
    bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
    if (!ok)
        error = Reason();
    if (close(fd) != 0 && ok) {
        error = Reason();
        ok = false;
    }
    return ok ? NewFile::Written : NewFile::Failed;
}

bool RenameOver(const std::string &from, const std::string &to, std::string &error) {
    if (rename(from.c_str(), to.c_str()) == 0)
        return true;
    error = Reason();
    return false;
}

} // namespace crvcli
