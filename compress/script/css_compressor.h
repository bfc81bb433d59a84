#ifndef CRV_CSS_COMPRESSOR_H
#define CRV_CSS_COMPRESSOR_H

#include <cstdint>

struct CompressorInstance;

// Compresses the zero-terminated style sheet at text in place. The byte before
// text is read as the last character written and must be punctuation other
// than ';' (callers put '>' there). *cursorOut is set to text - 1 at once,
// follows every write (another thread may read it), and ends one past the
// output. No terminator is written; nothing past the zero byte is touched.
void CompressCss(char *text, std::uint8_t removeComments, char **cursorOut,
                 const CompressorInstance *instance);

// The same for the value of a style attribute: a list of declarations (and
// perhaps nested rules) rather than a style sheet of rules.
void CompressCssDeclarations(char *text, std::uint8_t removeComments, char **cursorOut);

#endif
