#ifndef CRV_CLI_RESULT_WORDS_H
#define CRV_CLI_RESULT_WORDS_H

#include <cstdint>
#include <string>

namespace crvcli {

// A library result code said in plain words for the user.
std::string ReasonOf(std::int32_t result);

} // namespace crvcli

#endif
