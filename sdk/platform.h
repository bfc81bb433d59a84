#ifndef CRV_PLATFORM_H
#define CRV_PLATFORM_H

#include <cstdint>

#include "sdk/crvsdk.h"

namespace crv {
struct CompressorInstance;
}

// The thin seam between the instance machinery and the operating system:
// platform_win32.cpp and platform_posix.cpp implement it.
namespace crv::platform {

struct Event;
struct WorkerThread;

// A manual-reset event, created not signalled; null when it cannot be made.
Event *NewManualResetEvent();
void SignalEvent(Event *event);
void ClearEvent(Event *event);
void WaitForEvent(Event *event);
void CloseEvent(Event *event);

// Starts the worker of record at normal priority; it runs crv::RunWorker.
WorkerThread *StartWorkerThread(CompressorInstance *record);

// Stops the worker and, once it has stopped, releases the record.
void EndWorkerThread(CompressorInstance *record);

void CloseWorkerThread(WorkerThread *thread);

// level is a Windows thread priority level; false when refused.
bool SetWorkerPriority(WorkerThread *thread, std::int32_t level);

void SoundCompletionBeep();

// Announces a finished job; false when it cannot be delivered.
bool PostCompletion(const CRVNotifyTarget &target, char *end);

// Tells the user that the completion could not be announced.
void ShowCompletionError(const char *caption, const char *text);

struct File;

// Opens an existing file for reading, letting others read it meanwhile but
// not change it; null when it cannot be opened.
File *OpenForReading(const char *fileName);

// The file's size; false when it cannot be told.
bool GetFileSize(File *file, std::uint64_t &size);

// Reads exactly size bytes; false on error or when the file is shorter.
bool ReadExactly(File *file, char *bytes, std::uint64_t size);

void CloseFile(File *file);

// Gives the file exactly these bytes, or leaves it as it was: the bytes go to
// a new file beside it, which then replaces it with the original's
// attributes and permissions. A read-only file is refused.
bool ReplaceFileContent(const char *fileName, const char *bytes, std::uint64_t size);

} // namespace crv::platform

#endif
