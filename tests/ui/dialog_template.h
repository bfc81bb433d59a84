#ifndef CRV_DIALOG_TEMPLATE_H
#define CRV_DIALOG_TEMPLATE_H

#include <ostream>
#include <string>
#include <vector>

#include <windows.h>

// The fields of an extended dialogue template, as the resource holds them.
// Class names and texts given as ordinals read "#n".
namespace crvtest {

struct Control {
    DWORD id;
    std::string className;
    DWORD style;
    short x, y, cx, cy;
    std::string text;
    bool operator==(const Control &) const = default;
};

struct Dialogue {
    DWORD style, exStyle;
    short x, y, cx, cy;
    std::string menu, className, caption;
    WORD points, weight;
    BYTE italic, charset;
    std::string face;
    std::vector<Control> controls;
};

std::ostream &operator<<(std::ostream &out, const Control &c);

// Reads a template; version and signature are checked as it goes.
Dialogue ReadDialogue(const BYTE *bytes);

} // namespace crvtest

#endif
