#ifndef CRV_SDK_TEST_SUPPORT_H
#define CRV_SDK_TEST_SUPPORT_H

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "sdk/crvsdk.h"

namespace crvtest {

// A one-shot latch: Open() once, Wait() returns from then on.
class Latch {
public:
    void Open() {
        std::lock_guard lock(mutex_);
        open_ = true;
        opened_.notify_all();
    }
    void Wait() {
        std::unique_lock lock(mutex_);
        opened_.wait(lock, [this] { return open_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable opened_;
    bool open_ = false;
};

// A text with the writable byte in front of it and guard bytes behind its
// terminator, as a caller of CRVCompressRawData provides it.
class TextBuffer {
public:
    explicit TextBuffer(const std::string &text, char before = '#')
        : bytes_(text.size() + 1 + kGuard + 1, kGuardByte) {
        bytes_[0] = before;
        text.copy(bytes_.data() + 1, text.size());
        bytes_[text.size() + 1] = '\0';
        size_ = text.size();
    }
    char *Text() { return bytes_.data() + 1; }
    char Before() const { return bytes_[0]; }
    std::string Output(const char *end) const {
        return std::string(bytes_.data() + 1, end);
    }
    bool GuardsIntact() const {
        for (std::size_t i = size_ + 2; i < bytes_.size(); ++i)
            if (bytes_[i] != kGuardByte)
                return false;
        return true;
    }

private:
    static constexpr std::size_t kGuard = 16;
    static constexpr char kGuardByte = '\x7f';
    std::vector<char> bytes_;
    std::size_t size_;
};

struct Completion {
    std::uintptr_t message = 0;
    std::uintptr_t wParam = 0;
    std::uintptr_t lParam = 0;
};

// Receives completion messages the way a host of this platform does: a
// window's message loop on Windows, a pipe on Linux.
class CompletionReceiver {
public:
    CompletionReceiver();
    ~CompletionReceiver();
    CompletionReceiver(const CompletionReceiver &) = delete;
    CompletionReceiver &operator=(const CompletionReceiver &) = delete;

    CRVNotifyTarget Target(std::uint32_t message) const;
    // Waits up to timeoutMs for one completion; false when none came.
    bool Receive(Completion &completion, int timeoutMs);

private:
    std::intptr_t handle_[2] = {0, 0};
};

// A target whose completion cannot be delivered.
CRVNotifyTarget UndeliverableTarget();

// Runs job, which makes the worker of instanceId report that it could not
// announce a completion, and returns what the user was shown (a message box
// on Windows, which is closed here; standard error on Linux).
std::string CaptureCompletionError(std::int32_t instanceId, const std::function<void()> &job);

} // namespace crvtest

#endif
