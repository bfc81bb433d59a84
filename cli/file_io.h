#ifndef CRV_CLI_FILE_IO_H
#define CRV_CLI_FILE_IO_H

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace crvcli {

// Reads a whole stream as raw bytes after the one byte already in bytes (the
// byte the library writes '>' into). Stops early, false with the reason in
// error, at a zero byte (it would end the text) or past limit bytes of text.
bool ReadStream(std::FILE *stream, std::uint64_t limit, std::string &bytes, std::string &error);

bool WriteStream(std::FILE *stream, std::string_view bytes, std::string &error);

// Makes the missing folders above path.
bool MakeParentFolders(const std::string &path, std::string &error);

// The platform's part, in file_io_posix.cpp and file_io_win32.cpp.

// An input file held open from reading until it is rewritten, so that the
// rewrite goes to the very file that was read, in the folder that was planned.
struct InputFile;
struct InputFileCloser {
    void operator()(InputFile *file) const;
};
using InputHandle = std::unique_ptr<InputFile, InputFileCloser>;

struct Opened {
    InputHandle file;  // null when skipped or failed
    std::string skip;  // why it is passed by: not a regular file
    std::string error; // why it cannot be read
};

// Opens the file at location for reading, without waiting (a pipe or a device
// is not read but passed by) and, on POSIX, without following a symbolic link
// in the file's name or in any folder above it: location was planned free of
// links, so a link there now means the tree was changed under the run.
Opened OpenInput(const std::string &location);

std::uint64_t SizeOf(const InputFile &file);
std::uint64_t LinkCount(const InputFile &file);

// Reads size bytes from the file's start into buffer.
bool ReadInput(InputFile &file, char *buffer, std::uint64_t size, std::string &error);

// Gives the file these bytes through a new file in its folder renamed over
// it, with its owner, group, permissions, ACLs and extended attributes, or
// leaves it as it was. A file nobody may write counts as read-only.
bool ReplaceInput(InputFile &file, std::string_view bytes, std::string &error);

// Writes the bytes to a new file at path, through a temporary renamed over
// what is there, with no wider permissions than the input has.
bool WriteCopy(const InputFile &input, const std::string &path, std::string_view bytes,
               std::string &error);

} // namespace crvcli

#endif
