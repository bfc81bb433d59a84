#ifndef CRV_CLI_FILE_IO_H
#define CRV_CLI_FILE_IO_H

#include <cstdio>
#include <string>

namespace crvcli {

// Reads a whole file or stream as raw bytes; false with the reason in error.
bool ReadFile(const std::string &path, std::string &bytes, std::string &error);
bool ReadStream(std::FILE *stream, std::string &bytes, std::string &error);

bool WriteStream(std::FILE *stream, const std::string &bytes, std::string &error);

// Gives the file at path exactly these bytes, or leaves it as it was: makes
// the missing folders above it, writes a new file beside it and renames that
// over it, so no half-written file is ever seen under its name.
bool WriteFileSafely(const std::string &path, const std::string &bytes, std::string &error);

// The platform's part, in file_io_posix.cpp and file_io_win32.cpp.
enum class NewFile { Written, NameTaken, Failed };

// Creates the file, failing when the name exists, with the permissions a new
// file gets by default; writes the bytes and flushes them to the disk.
NewFile WriteNewFile(const std::string &path, const std::string &bytes, std::string &error);

// Renames from to to, replacing a file that is there.
bool RenameOver(const std::string &from, const std::string &to, std::string &error);

} // namespace crvcli

#endif
