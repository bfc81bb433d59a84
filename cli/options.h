#ifndef CRV_CLI_OPTIONS_H
#define CRV_CLI_OPTIONS_H

#include <cstdint>
#include <string>
#include <vector>

namespace crvcli {

struct Options {
    std::uint32_t dataType = 0;        // 0: from each file's extension
    std::uint32_t setProperties = 0;   // property bits to turn on
    std::uint32_t clearProperties = 0; // property bits to turn off
    std::vector<std::string> paths;    // "-" is standard input
    // Lower-case extensions, without their dots, of the files a walk takes:
    // those given with --ext, else those of the type given with --type, else
    // all that imply a type.
    std::vector<std::string> extensions;
    bool extensionsGiven = false;
    std::string outputDir; // empty: in place
    unsigned jobs = 0;     // 0: one per core
    bool recursive = false;
    bool dryRun = false;
    bool quiet = false;
    bool verbose = false;
    bool help = false;
    bool version = false;
};

// Parses the command line and checks that the options fit together; false
// with a one-line reason in error when it is not usable.
bool ParseOptions(int argc, char **argv, Options &options, std::string &error);

extern const char kUsage[];

} // namespace crvcli

#endif
