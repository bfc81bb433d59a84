// Rewrites a tag while reading it: one space before each attribute, no white
// space around "=" or before ">", boolean attributes by their name alone,
// values compressed by their kind and unquoted where that reads the same.
#ifndef CRV_TAG_REWRITER_H
#define CRV_TAG_REWRITER_H

#include "compress/compress_options.h"
#include "compress/html/html_output.h"
#include "compress/html/tag_reader.h"

namespace crv {

struct RewrittenTag {
    // kClose or kSelfClose: the tag was rewritten. kAbandon or kTextEnd: it
    // was no tag after all, and neither it nor anything from lt on has been
    // changed (the bytes between out and lt may have been).
    TagStep end;
    char *at;  // the ">", "<" or zero byte that ended the reading
    char *out; // one past the rewritten tag
};

// A tag with attributes or white space after its name, written as
// RewriteTag says.
RewrittenTag RewriteTagWithAttributes(char *lt, char *nameEnd, const char *end, char *out,
                                      bool slashSaysSomething, const CompressOptions &options);

// lt is the "<" of a tag, nameEnd one past its name, end the zero byte that
// ends the text; the rewritten tag is written at out, which is lt or lies
// before it, and is never longer than the source tag. slashSaysSomething:
// the tag opens an element that has an end tag, so a self-closing slash
// stays. Most tags are a name alone ("</p>", "<li>"), which is copied as it
// is without a call.
inline RewrittenTag RewriteTag(char *lt, char *nameEnd, const char *end, char *out,
                               bool slashSaysSomething, const CompressOptions &options) {
    if (*nameEnd == '>')
        return {TagStep::kClose, nameEnd, AppendShortPiece(lt, nameEnd + 1, out, end, lt)};
    return RewriteTagWithAttributes(lt, nameEnd, end, out, slashSaysSomething, options);
}

} // namespace crv

#endif
