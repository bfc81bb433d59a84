#ifndef CRV_JS_COMPRESSOR_H
#define CRV_JS_COMPRESSOR_H

#include <cstdint>

struct CompressorInstance;

// Compresses the zero-terminated script at text in place. The byte before
// text is read as the last character written and must be punctuation other
// than ';' (callers put '>' or a quote there). removeComments 0 keeps "/*" and
// "//" as ordinary characters, for scripts in attribute values. *cursorOut is
// set to text - 1 at once, follows every write (another thread may read it),
// and ends one past the output. No terminator is written; nothing past the
// zero byte is touched. Only instance->hideScripts is read; instance may be
// null, which counts as hideScripts off.
void CompressJavaScript(char *text, std::uint8_t removeComments, char **cursorOut,
                        const CompressorInstance *instance);

#endif
