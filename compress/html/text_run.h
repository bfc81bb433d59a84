// Text between tags: white space collapsed to single spaces, and the decision
// whether a space is wanted carried from one run to the next.
#ifndef CRV_TEXT_RUN_H
#define CRV_TEXT_RUN_H

#include <cstdint>

#include "compress/html/html_char.h"
#include "compress/html/html_vocabulary.h"
#include "compress/html/word_runs.h"

namespace crv {

// Drop:     spaceMatters false, no trailing space: white space here goes.
// Separate: spaceMatters true: white space here becomes one space.
// Pending:  spaceMatters false, trailingSpaceSegment set: a space was written
//           and the next tag or word decides whether it stays.
struct WhiteSpaceState {
    bool spaceMatters = false;
    // The last byte of the text segment written last when that byte is a
    // space that a tag of TrimBeforeTags may still take back; null otherwise.
    char *trailingSpaceSegment = nullptr;
};

// A text run is written in pieces and then ended. Each piece is written at
// out, each white-space stretch as one space or nothing; out may be the
// piece's first byte or lie before it, as every byte is read before the place
// it lands on is written.

namespace detail {

// The one loop behind both ways of writing text. Stops at to, or at a "<"
// that opens markup when kStopAtMarkup; returns where it stopped. Words and
// the single spaces between them, most of the bytes, are moved many at a
// time; the loop itself sees white-space runs and the bytes the scan leaves.
template <bool kStopAtMarkup>
inline char *WriteTextUntil(char *in, const char *to, char *&outRef, bool &spaceMattersRef) {
    char *out = outRef;
    bool spaceMatters = spaceMattersRef;
    while (in < to) {
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
        char *stop = CopyUnchangedText<kStopAtMarkup>(in, to, out, spaceMatters);
        if (stop != in) {
            // The scan may have stored whole blocks over the bytes before
            // stop, so the last byte kept is read from the output.
            in = stop;
            spaceMatters = out[-1] != ' ';
            continue;
        }
        // A byte of a word the scan stops at: a "<" that is text, a control
        // character, or one of the last few bytes.
        *out++ = *in++;
        spaceMatters = true;
    }
    outRef = out;
    spaceMattersRef = spaceMatters;
    return in;
}

} // namespace detail

// Writes the text from from on, up to the first "<" that opens markup or up
// to end, the zero byte; returns where it stopped. Inline, as a third of all
// runs hold text, most of it short: a call and the registers it saves cost
// as much as the loop for such a run.
inline char *WriteTextToMarkup(char *from, const char *end, char *&out, WhiteSpaceState &state) {
    return detail::WriteTextUntil<true>(from, end, out, state.spaceMatters);
}

// A run of white space alone up to markup, the commonest run after the
// empty one (a line break and indentation between two tags), written as
// WriteTextToMarkup writes it but without its loop, and ended as EndTextRun
// ends a run: a space written is pending. Returns the "<", or null having
// written nothing when the run holds more than white space.
inline char *WriteSpaceBeforeMarkup(char *from, char *&out, WhiteSpaceState &state) {
    char *at = from;
    while (IsHtmlSpace(*at))
        ++at;
    if (at == from || *at != '<' || !OpensMarkup(at[1]))
        return nullptr;
    if (state.spaceMatters) {
        *out++ = ' ';
        state.spaceMatters = false;
        state.trailingSpaceSegment = out - 1;
    }
    return at;
}

// Writes the text [from, to), every "<" in it included.
void WriteText(char *from, const char *to, char *&out, WhiteSpaceState &state);

// Ends the run whose output began at runOut. Inline, as this and the tag's
// share below run once for every tag.
inline void EndTextRun(const char *runOut, char *out, WhiteSpaceState &state) {
    if (out != runOut)
        state.trailingSpaceSegment = state.spaceMatters ? nullptr : out - 1;
}

// Ends the text after the last tag: a pending space at the end of the output
// has nothing left to separate, so it goes.
void EndLastTextRun(const char *runOut, char *&out, WhiteSpaceState &state);

// Takes back the pending space, moving what was written after it (inline
// tags, kept comments) one place back; returns the new end of the output.
char *DropTrailingSpace(char *out, WhiteSpaceState &state);

// A tag's share in the decision, by the VocabularyList bits of its name: a
// tag of TrimBeforeTags takes back a pending space, one of SpaceAfterTags
// counts as a word, one of TrimAfterTags drops the white space after it.
// Returns the new end of the output.
inline char *ApplyTagToWhiteSpace(std::uint8_t lists, char *out, WhiteSpaceState &state) {
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

#endif
