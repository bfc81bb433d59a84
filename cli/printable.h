#ifndef CRV_CLI_PRINTABLE_H
#define CRV_CLI_PRINTABLE_H

#include <string>

namespace crvcli {

// The text as printed for a person: control characters, which could move the
// cursor or hide what follows (a file name may hold any), are escaped as \n,
// \t or \xHH.
std::string Printable(const std::string &text);

} // namespace crvcli

#endif
