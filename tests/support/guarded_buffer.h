// The buffer a compressor runs in, as the worker hands it over:
// [byte before][text][terminator][guard bytes]. Shared by the tests, the
// fuzzers, the corpus drivers and the benchmark.
#ifndef CRV_GUARDED_BUFFER_H
#define CRV_GUARDED_BUFFER_H

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string_view>

#include "compress/progress_cursor.h"

namespace crvtest {

// Guard bytes show a write past the terminator where no sanitizer watches.
// Without them the allocation ends at the terminator, so that
// AddressSanitizer reports any access beyond it (the fuzzers).
class GuardedBuffer {
  public:
    static constexpr char kGuard = '\x01';
    static constexpr std::size_t kGuardBytes = 16;

    GuardedBuffer(std::string_view text, char before, std::size_t guardBytes = kGuardBytes)
        : bytes_(std::make_unique_for_overwrite<char[]>(text.size() + 2 + guardBytes)),
          length_(text.size()), guardBytes_(guardBytes), before_(before) {
        Refill(text);
    }

    char *Text() const { return bytes_.get() + 1; }
    char *Terminator() const { return Text() + length_; }

    // Writes text (as long as the one the buffer was made for), the byte
    // before it, its terminator and the guard bytes afresh.
    void Refill(std::string_view text) {
        bytes_[0] = before_;
        std::copy_n(text.begin(), length_, Text());
        *Terminator() = '\0';
        std::fill_n(Terminator() + 1, guardBytes_, kGuard);
    }

    // compress(text, progress) runs a compressor over the text; returns
    // where it left the cursor.
    template <typename Compressor>
    char *Run(Compressor compress) {
        char *cursor = nullptr;
        compress(Text(), crv::ProgressCursor(cursor));
        return cursor;
    }

    // Whether the byte before the text, the terminator and the guard bytes are
    // as they were written.
    bool FrameIntact() const {
        const char *guards = Terminator() + 1;
        return bytes_[0] == before_ && *Terminator() == '\0' &&
               std::all_of(guards, guards + guardBytes_, [](char c) { return c == kGuard; });
    }

    // Whether cursor ends an output inside the text.
    bool Holds(const char *cursor) const { return cursor >= Text() && cursor <= Terminator(); }

  private:
    std::unique_ptr<char[]> bytes_;
    std::size_t length_;
    std::size_t guardBytes_;
    char before_;
};

} // namespace crvtest

#endif
