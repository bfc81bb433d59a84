#include "compress/html/text_run.h"

#include "compress/html/html_char.h"
#include "compress/html/html_output.h"
#include "compress/html/word_runs.h"

namespace crv {
namespace {

// The one loop behind both ways of writing text. Stops at to, or at a "<"
// that opens markup when kStopAtMarkup; returns where it stopped. Words and
// the single spaces between them, most of the bytes, are moved many at a
// time; the loop itself sees white-space runs and the bytes the scan leaves.
template <bool kStopAtMarkup>
char *WriteTextUntil(char *in, const char *to, char *&outRef, bool &spaceMattersRef) {
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

} // namespace

char *WriteTextToMarkup(char *from, const char *end, char *&out, WhiteSpaceState &state) {
    return WriteTextUntil<true>(from, end, out, state.spaceMatters);
}

void WriteText(char *from, const char *to, char *&out, WhiteSpaceState &state) {
    WriteTextUntil<false>(from, to, out, state.spaceMatters);
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

} // namespace crv
