#ifndef CRV_CLI_PLAN_H
#define CRV_CLI_PLAN_H

#include <cstdint>
#include <string>
#include <vector>

#include "cli/options.h"

namespace crvcli {

// One input to compress, or to report without compressing (note, failure).
struct Item {
    std::string input;          // as named or found; "-" is standard input
    std::string location;       // where it is, with no symbolic link left in it
    std::string output;         // empty: in place, or standard output for "-"
    std::uint32_t dataType = 0; // 0: unknown
    std::string note;           // not empty: skipped for this reason
    std::string failure;        // not empty: failed for this reason
    bool aside = false;         // the note is shown with -v only, and not counted
};

// Turns the paths named into the items, in the order they were named, each
// folder in walk order. Each file is taken once, however often it is named.
// False with the reason when a path cannot be used so: a folder without -r,
// an output folder that is an input folder or lies inside one.
bool MakePlan(const Options &options, std::vector<Item> &items, std::string &error);

} // namespace crvcli

#endif
