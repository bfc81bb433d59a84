// Comments and declarations: "<!--...-->", "<!DOCTYPE ...>", and the pieces
// of conditional comments ("<!--[if IE]>", "<![endif]-->").
#ifndef CRV_MARKUP_DECLARATION_H
#define CRV_MARKUP_DECLARATION_H

namespace crv {

struct MarkupDeclaration {
    char *end;  // one past its ">", or the zero byte when it has none
    bool removable;   // goes when comments are deleted
};

// lt is the "<" of "<!". Conditional-comment pieces are never removable:
// without them the markup they guard would show in every browser. Nor is a
// doctype: without it browsers render the page in quirks mode.
MarkupDeclaration ReadMarkupDeclaration(char *lt);

} // namespace crv

#endif
