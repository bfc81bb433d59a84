#ifndef CRV_CLI_TEMPORARIES_H
#define CRV_CLI_TEMPORARIES_H

#include <optional>
#include <string>

namespace crvcli {

// The tool writes each new file under a temporary name beside its final one,
// NAME.crvcompress-PID-XXXXXXXX.tmp, and renames it into place when it is
// complete. The name says whose it is, and the process id lets a later run
// tell a file left by a killed run from one that a live run is writing.
std::string TemporaryNameFor(const std::string &fileName);

// The id of the process that made the temporary file with this name, or none
// when the name is not of that pattern.
std::optional<unsigned long> MakerOfTemporary(const std::string &fileName);

// Whether the file at path is a temporary of a run that is no longer running.
bool IsStaleTemporary(const std::string &path);

// The platform's part, in temporaries_posix.cpp and temporaries_win32.cpp.
unsigned long CurrentProcessId();
bool ProcessIsRunning(unsigned long processId);

// Makes SIGINT, SIGTERM and SIGHUP (Ctrl-C and closing the console on
// Windows) remove the temporary files being written before the tool ends.
void RemoveTemporariesWhenInterrupted();

// Remembers a temporary file being written, to be removed when the run is
// interrupted; folder is an open folder descriptor the name is relative to,
// or -1 when name is a whole path. The slot is for ForgetTemporary.
int RememberTemporary(int folder, const std::string &name);
void ForgetTemporary(int slot);

} // namespace crvcli

#endif
