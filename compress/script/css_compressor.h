#ifndef CRV_CSS_COMPRESSOR_H
#define CRV_CSS_COMPRESSOR_H

#include "compress/compress_options.h"
#include "compress/progress_cursor.h"

namespace crv {

// Compresses the zero-terminated style sheet at text in place. The byte before
// text is read as the last character written and must be punctuation other
// than ';' (callers put '>' there). The cursor is set to text - 1 at once,
// follows every write, and ends one past the output. No terminator is
// written; nothing past the zero byte is touched. Style sheets have no
// switch of their own: the placement says whether comments go.
void CompressCss(char *text, Placement placement, ProgressCursor progress);

// The same for the value of a style attribute: a list of declarations (and
// perhaps nested rules) rather than a style sheet of rules, placed in an
// attribute value.
void CompressCssDeclarations(char *text, ProgressCursor progress);

} // namespace crv

#endif
