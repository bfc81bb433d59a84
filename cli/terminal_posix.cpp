#include "cli/terminal.h"

#include <unistd.h>

namespace crvcli {

bool IsTerminal(std::FILE *stream) { return isatty(fileno(stream)) == 1; }

// POSIX streams carry bytes unchanged already.
void UseBinaryStandardStreams() {}

} // namespace crvcli
