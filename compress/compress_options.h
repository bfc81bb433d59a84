// What a caller tells the compressors: the switches of a compression and the
// place a script or style piece comes from.
#ifndef CRV_COMPRESS_OPTIONS_H
#define CRV_COMPRESS_OPTIONS_H

#include <cstdint>

namespace crv {

// The switches a compression honours; the defaults are those of a new
// instance.
struct CompressOptions {
    // Drops HTML comments (not conditional comments or declarations).
    bool deleteComments = false;
    // Leaves event-handler attribute values as they are written.
    bool protectEvents = true;
    // Compresses the content of script elements.
    bool compressScripts = false;
    // Compresses the content of style elements.
    bool compressStyles = false;
    // Keeps an old-browser wrapper ("<!--" ... "//-->") around script content.
    bool hideScripts = false;
};

// Where a script or style text stands. In an attribute value the text ends at
// the value's quote, so comments stay as written ("/*" and "//" may be part of
// a URL there), "<" is ordinary text, and no old-browser wrapper belongs in it.
enum class Placement : std::uint8_t {
    kDocument,       // a whole document, or the content of its element
    kAttributeValue, // the quoted value of an event handler or style attribute
};

} // namespace crv

#endif
