#ifndef CRV_HTML_COMPRESSOR_H
#define CRV_HTML_COMPRESSOR_H

#include "compress/compress_options.h"
#include "compress/progress_cursor.h"

namespace crv {

// Compresses the zero-terminated HTML document at input in place, in one
// forward pass, handing script and style content and event-handler and style
// attribute values to the script and style compressors as the options say.
// The byte before input is not read. The cursor is set to input - 1 at once,
// follows the scan and ends one past the output, which is never longer than
// the document. No terminator is written; nothing past the zero byte is
// touched; nothing is allocated.
void CompressHtml(char *input, const CompressOptions &options, ProgressCursor progress);

} // namespace crv

#endif
