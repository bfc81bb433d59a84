#ifndef CRV_CLI_TERMINAL_H
#define CRV_CLI_TERMINAL_H

#include <cstdio>

namespace crvcli {

// Whether the stream is a terminal a person watches.
bool IsTerminal(std::FILE *stream);

// Makes standard input and output carry bytes unchanged (no line-ending
// translation), since the text passes through untouched but for compression.
void UseBinaryStandardStreams();

} // namespace crvcli

#endif
