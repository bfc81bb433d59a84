#ifndef CRV_CLI_DATA_TYPES_H
#define CRV_CLI_DATA_TYPES_H

#include <cstdint>
#include <string>
#include <vector>

namespace crvcli {

// The data type a type name (html, js, css) stands for, 0 for none.
std::uint32_t DataTypeOfName(const std::string &name);

// The data type a file name's extension implies, 0 when it implies none.
std::uint32_t DataTypeOfPath(const std::string &path);

// The data type a lower-case extension without its dot implies, 0 for none.
std::uint32_t DataTypeOfExtension(const std::string &extension);

// The extensions that imply dataType, or all known ones for 0.
std::vector<std::string> ExtensionsOf(std::uint32_t dataType);

// The extension of a file name, lower case and without its dot; empty when
// the name has none.
std::string ExtensionOf(const std::string &path);

std::string LowerCase(std::string text);

const char *DataTypeName(std::uint32_t dataType);

} // namespace crvcli

#endif
