#ifndef CRV_JS_COMPRESSOR_H
#define CRV_JS_COMPRESSOR_H

#include "compress/compress_options.h"
#include "compress/progress_cursor.h"

namespace crv {

// Compresses the zero-terminated script at text in place. The byte before
// text is read as the last character written and must be punctuation other
// than ';' (callers put '>' or a quote there). The cursor is set to text - 1
// at once, follows every write, and ends one past the output. No terminator
// is written; nothing past the zero byte is touched. Of the options only
// hideScripts is read, and only in a document.
void CompressJavaScript(char *text, Placement placement, const CompressOptions &options,
                        ProgressCursor progress);

} // namespace crv

#endif
