#ifndef CRV_CLI_WALK_H
#define CRV_CLI_WALK_H

#include <filesystem>
#include <string>
#include <vector>

namespace crvcli {

// A file a walk takes, or one it passes by with a note, or a folder it could
// not read (failure).
struct Found {
    std::filesystem::path path;
    std::string note;
    std::string failure;
};

// Walks a folder and everything below it, in path order (the entries of each
// folder sorted by name), taking the files with one of the extensions. Symbolic
// links are not followed: one whose target is outside the folder, or nowhere,
// is passed by with a note; one whose target is inside is passed by quietly,
// since the walk reaches the target under its own name. skipFolder (canonical)
// is not entered: it holds the results of an earlier run.
std::vector<Found> WalkFolder(const std::filesystem::path &folder,
                              const std::vector<std::string> &extensions,
                              const std::filesystem::path &skipFolder);

} // namespace crvcli

#endif
