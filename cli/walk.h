#ifndef CRV_CLI_WALK_H
#define CRV_CLI_WALK_H

#include <filesystem>
#include <string>
#include <vector>

namespace crvcli {

// A file a walk takes, or one it passes by with a note, or a folder it could
// not read (failure). An aside is a note only -v shows, about a file nobody
// would expect the walk to take.
struct Found {
    std::filesystem::path path;
    std::string note;
    std::string failure;
    bool aside = false;
};

// Walks a folder and everything below it, in path order (the entries of each
// folder sorted by name), taking the regular files with one of the
// extensions. Symbolic links are not followed: one whose target is outside
// the folder, nowhere, or a loop, is passed by with a note; one whose target
// is inside is passed by with an aside, since the walk reaches the target
// under its own name. Temporary files that a killed run of the tool left are
// removed unless dryRun.
std::vector<Found> WalkFolder(const std::filesystem::path &folder,
                              const std::vector<std::string> &extensions, bool dryRun);

} // namespace crvcli

#endif
