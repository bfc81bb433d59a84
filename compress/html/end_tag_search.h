// Finding where the content of script, style, textarea, title and the
// verbatim elements stops, without reading the markup inside it.
#ifndef CRV_END_TAG_SEARCH_H
#define CRV_END_TAG_SEARCH_H

#include <string_view>

namespace crv {

// Names are compared without regard to case on either side.

// The "<" of the element's own end tag: "</", name, then white space, "/"
// or ">"; or the zero byte. The end tags of other elements inside
// the content do not count, nor does "</prefix" for "pre" or "</scripts"
// for "script", as browsers read them.
char *FindOwnEndTag(char *from, std::string_view name);

// The "<" of the end tag of a script element, or the zero byte. As for
// FindOwnEndTag, but as browsers read script content: after "<!--", text
// that reads "<script" ... "</script>" belongs to the script, up to "-->".
char *FindScriptEnd(char *from);

} // namespace crv

#endif
