#ifndef CRV_PNG_FILE_H
#define CRV_PNG_FILE_H

#include <cstdint>
#include <string>
#include <vector>

namespace crvshot {

// Writes rows of 8-bit RGB triples, top row first, as a PNG file; false
// when the file cannot be written.
bool WritePng(const std::string &fileName, int width, int height,
              const std::vector<std::uint8_t> &rgb);

} // namespace crvshot

#endif
