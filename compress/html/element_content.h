// The content of the elements whose text the pass must not read as markup:
// script and style (compressed or copied), textarea (its value, copied) and
// everything after plaintext.
#ifndef CRV_ELEMENT_CONTENT_H
#define CRV_ELEMENT_CONTENT_H

#include "compress/html/name_key.h"

struct CompressorInstance;

namespace crv {

// name is the key of the start tag just written, from the
// first byte after its ">", which must still be in place. Writes the
// element's content at out and returns where the pass reads on: the "<" of
// the end tag, or the zero byte. For other elements writes nothing and
// returns from.
char *WriteElementContent(NameKey name, char *from, char *&out,
                          const CompressorInstance &instance);

} // namespace crv

#endif
