#include "cli/printable.h"

#include <cstdio>

namespace crvcli {

std::string Printable(const std::string &text) {
    std::string shown;
    for (unsigned char c : text) {
        if (c == '\n')
            shown += "\\n";
        else if (c == '\t')
            shown += "\\t";
        else if (c < 0x20 || c == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", c);
            shown += escape;
        } else
            shown += static_cast<char>(c);
    }
    return shown;
}

} // namespace crvcli
