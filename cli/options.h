#ifndef CRV_CLI_OPTIONS_H
#define CRV_CLI_OPTIONS_H

#include <cstdint>
#include <string>
#include <vector>

namespace crvcli {

struct Options {
    std::uint32_t dataType = 0; // 0: from each file's extension
    std::uint32_t setProperties = 0;   // property bits to turn on
    std::uint32_t clearProperties = 0; // property bits to turn off
    std::vector<std::string> paths;    // "-" is standard input
    bool help = false;
    bool version = false;
};

// Parses the command line; false with a one-line reason in error when it is
// not usable.
bool ParseOptions(int argc, char **argv, Options &options, std::string &error);

// The data type a file name's extension implies, 0 when it implies none.
std::uint32_t DataTypeOfPath(const std::string &path);

const char *DataTypeName(std::uint32_t dataType);

extern const char kUsage[];

} // namespace crvcli

#endif
