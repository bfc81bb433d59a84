// The output cursor through which a compressor publishes its progress.
#ifndef CRV_PROGRESS_CURSOR_H
#define CRV_PROGRESS_CURSOR_H

#include <atomic>

namespace crv {

// Names the caller's cursor variable. A compressor sets it to the byte before
// its text at once, moves it while it writes and leaves it one past its
// output. Another thread may read the variable for progress while the
// compressor runs, so every store is atomic; the caller's own thread reads it
// plainly once the compressor has returned.
class ProgressCursor {
  public:
    explicit ProgressCursor(char *&cursor) : cursor_(&cursor) {}

    void Publish(char *at) const {
        std::atomic_ref<char *>(*cursor_).store(at, std::memory_order_relaxed);
    }

  private:
    char **cursor_;
};

} // namespace crv

#endif
