// Completion messages and the worker's error report on Linux: a pipe the
// host reads, and a line on standard error.
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "tests/sdk/sdk_test_support.h"

namespace crvtest {

namespace {

// Reads up to the first line feed, waiting at most timeoutMs for each piece.
std::string ReadLine(int fd, int timeoutMs) {
    std::string line;
    char c;
    pollfd ready{fd, POLLIN, 0};
    while (poll(&ready, 1, timeoutMs) == 1 && read(fd, &c, 1) == 1) {
        line += c;
        if (c == '\n')
            break;
    }
    return line;
}

} // namespace

CompletionReceiver::CompletionReceiver() {
    int fds[2];
    if (pipe(fds) == 0) {
        handle_[0] = fds[0];
        handle_[1] = fds[1];
    }
}

CompletionReceiver::~CompletionReceiver() {
    close(static_cast<int>(handle_[0]));
    close(static_cast<int>(handle_[1]));
}

CRVNotifyTarget CompletionReceiver::Target(std::uint32_t message) const {
    return CRVNotifyTarget{handle_[1], message};
}

bool CompletionReceiver::Receive(Completion &completion, int timeoutMs) {
    std::uintptr_t words[3];
    pollfd ready{static_cast<int>(handle_[0]), POLLIN, 0};
    if (poll(&ready, 1, timeoutMs) != 1)
        return false;
    // The worker writes the three words in one write(), well under PIPE_BUF.
    if (read(static_cast<int>(handle_[0]), words, sizeof words) != sizeof words)
        return false;
    completion = Completion{words[0], words[1], words[2]};
    return true;
}

CRVNotifyTarget UndeliverableTarget() { return CRVNotifyTarget{-1, 1}; }

std::string CaptureCompletionError(std::int32_t, const std::function<void()> &job) {
    int fds[2];
    if (pipe(fds) != 0)
        return "";
    int saved = dup(STDERR_FILENO);
    dup2(fds[1], STDERR_FILENO);
    job();
    std::string shown = ReadLine(fds[0], 10000);
    dup2(saved, STDERR_FILENO);
    close(saved);
    close(fds[0]);
    close(fds[1]);
    return shown;
}

} // namespace crvtest
