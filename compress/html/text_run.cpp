#include "compress/html/text_run.h"

#include <bit>

#include "compress/html/byte_lanes.h"
#include "compress/html/html_char.h"
#include "compress/html/html_output.h"
#include "compress/html/html_vocabulary.h"

namespace crv {
namespace {

static_assert(std::endian::native == std::endian::little,
              "the first byte of eight must be the lowest lane");

// Copies from the front of the next eight bytes those that come out
// unchanged: word bytes, and single spaces with a word byte on either side
// (before the first lane, the last byte written is a word byte exactly when
// spaceMatters). Returns how many; the byte loop decides on the next one.
// A store of all eight lanes is used when it lands wholly before the unread
// bytes, or when all eight are consumed.
template <bool kStopAtMarkup>
int CopyUnchangedPrefix(const char *in, char *out, bool spaceMatters) {
    const ByteLanes lanes = LoadLanes(in);
    const ByteLanes low = LanesBelow(lanes, '!');
    const ByteLanes words = ~low & kLaneHighBits;
    const ByteLanes wordBefore = (words << 8) | (spaceMatters ? ByteLanes{0x80} : 0);
    ByteLanes stops = low & ~(LanesEqual(lanes, ' ') & wordBefore & (words >> 8));
    if constexpr (kStopAtMarkup)
        stops |= LanesEqual(lanes, '<');
    const int unchanged = stops == 0 ? 8 : std::countr_zero(stops) / 8;
    if (in == out)
        return unchanged;
    if (unchanged == 8 || in - out >= 8) {
        StoreLanes(out, lanes);
    } else {
        for (int i = 0; i < unchanged; ++i)
            out[i] = in[i];
    }
    return unchanged;
}

template <bool kStopAtMarkup>
bool EndsWord(char c) {
    return IsHtmlSpace(c) || (kStopAtMarkup && c == '<');
}

// The one loop behind both ways of writing text. Stops at to, or at a "<"
// that opens markup when kStopAtMarkup; returns where it stopped.
template <bool kStopAtMarkup>
char *WriteTextUntil(char *in, const char *to, char *&outRef, bool &spaceMattersRef) {
    char *out = outRef;
    bool spaceMatters = spaceMattersRef;
    while (in < to) {
        // Most runs are empty or white space only: look for the tag first.
        if (kStopAtMarkup && *in == '<' && OpensMarkup(in[1]))
            break;
        if (to - in >= 8) {
            const int unchanged = CopyUnchangedPrefix<kStopAtMarkup>(in, out, spaceMatters);
            if (unchanged != 0) {
                in += unchanged;
                out += unchanged;
                spaceMatters = in[-1] != ' ';
                if (unchanged == 8)
                    continue;
            }
        }
        if (IsHtmlSpace(*in)) {
            do
                ++in;
            while (in < to && IsHtmlSpace(*in));
            if (spaceMatters) {
                *out++ = ' ';
                spaceMatters = false;
            }
            continue;
        }
        if (kStopAtMarkup && *in == '<' && OpensMarkup(in[1]))
            break;
        do
            *out++ = *in++;
        while (in < to && !EndsWord<kStopAtMarkup>(*in));
        spaceMatters = true;
    }
    outRef = out;
    spaceMattersRef = spaceMatters;
    return in;
}

} // namespace

char *WriteTextToMarkup(char *from, const char *end, char *&out, WhiteSpaceState &state) {
    return WriteTextUntil<true>(from, end, out, state.spaceMatters);
}

void WriteText(char *from, const char *to, char *&out, WhiteSpaceState &state) {
    WriteTextUntil<false>(from, to, out, state.spaceMatters);
}

void EndTextRun(const char *runOut, char *out, WhiteSpaceState &state) {
    if (out != runOut)
        state.trailingSpaceSegment = state.spaceMatters ? nullptr : out - 1;
}

void EndLastTextRun(const char *runOut, char *&out, WhiteSpaceState &state) {
    EndTextRun(runOut, out, state);
    if (state.trailingSpaceSegment == out - 1)
        out = DropTrailingSpace(out, state);
}

char *DropTrailingSpace(char *out, WhiteSpaceState &state) {
    char *space = state.trailingSpaceSegment;
    state.trailingSpaceSegment = nullptr;
    return AppendBytes(space + 1, out, space);
}

char *ApplyTagToWhiteSpace(std::uint8_t lists, char *out, WhiteSpaceState &state) {
    if (state.trailingSpaceSegment != nullptr && (lists & kTrimBeforeTag) != 0)
        out = DropTrailingSpace(out, state);
    if (!state.spaceMatters && (lists & kSpaceAfterTag) != 0) {
        state.spaceMatters = true;
        state.trailingSpaceSegment = nullptr;
    }
    if (state.spaceMatters && (lists & kTrimAfterTag) != 0)
        state.spaceMatters = false;
    return out;
}

} // namespace crv
