#include "compress/html/text_run.h"

#include "compress/html/html_char.h"
#include "compress/html/html_output.h"

namespace crv {

void WriteText(char *from, const char *to, char *&out, WhiteSpaceState &state) {
    detail::WriteTextUntil<false>(from, to, out, state.spaceMatters);
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
