#ifndef CRV_CLI_FILE_IO_H
#define CRV_CLI_FILE_IO_H

#include <cstdio>
#include <string>

namespace crvcli {

// Reads a whole file or stream as raw bytes; false with the reason in error.
bool ReadFile(const std::string &path, std::string &bytes, std::string &error);
bool ReadStream(std::FILE *stream, std::string &bytes, std::string &error);

// Replaces the file's content: writes a new file beside it, flushes it and
// renames it over the original, keeping the original's permissions. On any
// failure the original is untouched and the new file removed.
bool ReplaceFile(const std::string &path, const std::string &bytes, std::string &error);

bool WriteStream(std::FILE *stream, const std::string &bytes, std::string &error);

} // namespace crvcli

#endif
