#ifndef CRV_INSTANCE_H
#define CRV_INSTANCE_H

#include <atomic>
#include <cstdint>

#include "sdk/crvsdk.h"
#include "sdk/platform.h"

// One compressor instance. The host thread and the worker share it without a
// lock: the two events order each hand-off, and the fields that are read while
// the other side writes them are atomic.
struct CompressorInstance {
    std::int32_t id = 0;
    CompressorInstance *next = nullptr;
    crv::platform::WorkerThread *workerThread = nullptr;
    crv::platform::Event *startEvent = nullptr;
    crv::platform::Event *doneEvent = nullptr;
    std::atomic<std::uint8_t> result{CRV_OK};
    std::atomic<std::uint8_t> busy{0};
    std::uint8_t beep = 1;
    // Read by the worker after it has signalled completion, so a host may
    // change these while the worker still looks at them.
    std::atomic<std::uint8_t> callerBehaviour{CRV_CALL_WAIT};
    std::atomic<const CRVNotifyTarget *> notifyTarget{nullptr};
    std::uint8_t language = CRV_LANG_ENGLISH;
    std::uint8_t deleteComments = 0;
    std::uint8_t protectEvents = 1;
    std::uint8_t compressScripts = 0;
    std::uint8_t compressStyles = 0;
    std::uint8_t hideScripts = 0;
    // The job, written by the host before the start event is set.
    char *input = nullptr;
    std::uint8_t dataType = 0;
    // Moved by the compressor while progress is read from another thread:
    // only ever accessed through std::atomic_ref.
    char *outputCursor = nullptr;
    char **endPointerOut = nullptr;
    // Where a thread cannot be killed, the worker is asked to leave its loop.
    std::atomic<bool> stopRequested{false};
};

namespace crv {

struct InstanceList {
    CompressorInstance *head = nullptr;
    CompressorInstance *tail = nullptr;
    std::int32_t lastId = 0;
};

extern InstanceList instanceList;

CompressorInstance *FindInstance(std::int32_t id);

// Gives back the record and everything it holds; its worker has stopped.
void ReleaseInstance(CompressorInstance *record);

// The worker's loop; returns only when the instance is being destroyed on a
// platform without forced thread termination.
void RunWorker(CompressorInstance *record);

// Runs the compressor of the record's data type over its job.
using Compressor = void (*)(CompressorInstance *record);

// Indexed by data type 1..3. Tests put slow or failing compressors here.
extern Compressor compressorForType[4];

inline char *LoadCursor(char *&cursor) {
    return std::atomic_ref<char *>(cursor).load(std::memory_order_relaxed);
}

inline void StoreCursor(char *&cursor, char *value) {
    std::atomic_ref<char *>(cursor).store(value, std::memory_order_relaxed);
}

} // namespace crv

#endif
