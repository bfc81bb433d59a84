// Where a script's runs of plain copying end, and where the white space
// behind them ends, from masks of the same 64-byte block.
#ifndef CRV_JS_RUN_SCAN_H
#define CRV_JS_RUN_SCAN_H

#include <bit>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "compress/script/js_scan.h"

namespace crv {

using WhiteSpaceBytes = ScriptByteSet<'\t', '\n', '\r', ' '>;
using LineBreakBytes = ScriptByteSet<'\n', '\r'>;

// A gap starts at the stop that ended a run, so the block that found the
// stop nearly always holds the gap and much of the run behind it. The length
// of a gap (one space, or a line break and an indentation of any depth) is
// then a count of bits, where a byte loop loses a guess at the end of most
// gaps. The masks show the text as it was when made, which stays true of
// every byte at or after the read position (see BlockScan). On the scalar
// path the bytes are looked at one by one, as BlockScan does there.
template <class Stops, ScanPath kPath>
class RunScan : detail::BlockCursor<RunScan<Stops, kPath>> {
    static_assert(Stops::Has('\0'), "the zero byte that ends the text ends every run");
    static_assert(Stops::Has(' ') && Stops::Has('\t') && Stops::Has('\n') && Stops::Has('\r'),
                  "white space ends a run, so a gap starts where a run stops");

  public:
    // The first member of Stops in [from, end), or end: the zero byte there.
    const char *NextStop(const char *from, const char *end) {
        if constexpr (kPath == ScanPath::kScalar) {
            while (!Stops::Has(*from))
                ++from;
            return from;
        }
        return detail::FirstMarked(
            from,
            [&](const char *at) {
                std::size_t offset = this->OffsetIn(at, end);
                return std::pair{offset, stops_};
            },
            [&](const char *base) {
                this->MakeBlock(base, end);
                return stops_;
            });
    }

    // The first byte at or after from that is not white space; lineBreak is
    // set where a line feed or carriage return stood before it.
    const char *SkipWhiteSpace(const char *from, const char *end, bool &lineBreak) {
        if constexpr (kPath == ScanPath::kScalar) {
            while (WhiteSpaceBytes::Has(*from))
                lineBreak |= LineBreakBytes::Has(*from++);
            return from;
        }
        for (;;) {
            std::size_t offset = this->OffsetIn(from, end);
            // The bits shifted in at the top are no white space, so the run
            // of low ones stops at the block's end at the latest.
            detail::BlockBits spaces = spaces_ >> offset;
            detail::BlockBits run = spaces & ~(spaces + 1);
            lineBreak |= ((lineBreaks_ >> offset) & run) != 0;
            std::size_t length = static_cast<std::size_t>(std::countr_one(spaces));
            from += length;
            if (offset + length < static_cast<std::size_t>(detail::kBlockBytes))
                return from;
        }
    }

  private:
    friend detail::BlockCursor<RunScan>;

    void MakeMasks(const char *base, const char *end) {
        auto [stops, spaces, lineBreaks] =
            detail::MakeBlockMasks<kPath, Stops, WhiteSpaceBytes, LineBreakBytes>(base, end);
        // Past the end the masks count every byte a member, as a stop should.
        detail::BlockBits inside = ~detail::PastEndBits(base, end);
        stops_ = stops;
        spaces_ = spaces & inside;
        lineBreaks_ = lineBreaks & inside;
    }

    detail::BlockBits stops_ = 0;
    detail::BlockBits spaces_ = 0;
    detail::BlockBits lineBreaks_ = 0;
};

} // namespace crv

#endif
