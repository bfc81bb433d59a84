#ifndef CRV_HTML_COMPRESSOR_H
#define CRV_HTML_COMPRESSOR_H

struct CompressorInstance;

// Compresses the zero-terminated HTML document at input in place, in one
// forward pass, handing script and style content and event-handler and style
// attribute values to the script and style compressors as the properties of
// instance (never null) say. The byte before input is not read. *cursorOut
// is set to input - 1 at once, follows the scan (another thread may read it)
// and ends one past the output, which is never longer than the document. No
// terminator is written; nothing past the zero byte is touched; nothing is
// allocated.
void CompressHtml(char *input, char **cursorOut, const CompressorInstance *instance);

#endif
