#ifndef CRV_CLI_FILE_IO_H
#define CRV_CLI_FILE_IO_H

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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

// A complete new file under a temporary name beside where it goes, not yet
// durable nor in place. Dropping it removes the temporary file.
struct NewFile;
struct NewFileCloser {
    void operator()(NewFile *file) const;
};
using NewFileHandle = std::unique_ptr<NewFile, NewFileCloser>;

// Writes these bytes to a new file in the input's folder, with its owner,
// group, permissions, ACLs and extended attributes, to take its place; null
// with the reason in error, the input left as it was. A file nobody may write
// counts as read-only.
NewFileHandle ReplaceInput(InputHandle file, std::string_view bytes, std::string &error);

// Writes the bytes to a new file to take the place of what is at path, with no
// wider permissions than the input has.
NewFileHandle WriteCopy(const InputFile &input, const std::string &path, std::string_view bytes,
                        std::string &error);

// Makes the new files durable, with as few syncs as the platform allows, and
// only then renames each over its name, so that a crash leaves every name
// with either its old file or the complete new one. The reason each could not
// be put in place, empty where it was; those left as they were.
std::vector<std::string> PutInPlace(std::vector<NewFileHandle> &files);

} // namespace crvcli

#endif
