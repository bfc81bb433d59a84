#include "cli/file_release.h"

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>
#include <vector>

#include <unistd.h>

namespace crvcli {

namespace {

constexpr std::size_t kMostHeld = 64;

class Releaser {
public:
    // Made once and never destroyed: its thread may still wait on it while
    // the process exits, and the kernel closes what is left then.
    static Releaser &Instance() {
        static Releaser *releaser = [] {
            auto *made = new Releaser;
            std::thread([made] { made->Run(); }).detach();
            return made;
        }();
        return *releaser;
    }

    void Add(int fd) {
        std::unique_lock lock(mutex_);
        if (held_.size() >= kMostHeld) {
            lock.unlock();
            close(fd);
            return;
        }
        held_.push_back(fd);
        lock.unlock();
        added_.notify_one();
    }

private:
    void Run() {
        std::vector<int> closing;
        for (;;) {
            {
                std::unique_lock lock(mutex_);
                added_.wait(lock, [this] { return !held_.empty(); });
                closing.swap(held_);
            }
            for (int fd : closing)
                close(fd);
            closing.clear();
        }
    }

    std::mutex mutex_;
    std::condition_variable added_;
    std::vector<int> held_;
};

} // namespace

void ReleaseLater(int fd) { Releaser::Instance().Add(fd); }

} // namespace crvcli
