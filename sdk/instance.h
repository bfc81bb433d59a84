#ifndef CRV_INSTANCE_H
#define CRV_INSTANCE_H

#include <atomic>
#include <cstdint>
#include <mutex>

#include "sdk/crvsdk.h"
#include "sdk/platform.h"

namespace crv {

// Where an instance's job stands. A job counts as finished only once it is
// back to idle: by then its notice has gone out and the worker touches
// nothing of it any more.
enum JobState : std::uint8_t {
    kJobIdle = 0,
    kJobRunning = 1,
    // The result is final and the worker sends the notice; calls wait for
    // this to end rather than being refused.
    kJobAnnouncing = 2,
};

// One compressor instance. jobLock orders every change of busy with the done
// event, so that a waiting call wakes only for its own job.
struct CompressorInstance {
    std::int32_t id = 0;
    CompressorInstance *next = nullptr;
    platform::WorkerThread *workerThread = nullptr;
    platform::Event *startEvent = nullptr;
    // Set when a job is finished, cleared when the next is handed over.
    platform::Event *doneEvent = nullptr;
    std::mutex jobLock;
    std::atomic<std::uint8_t> result{CRV_OK};
    std::uint8_t busy = kJobIdle; // a JobState, under jobLock
    std::uint8_t beep = 1;
    std::uint8_t callerBehaviour = CRV_CALL_WAIT;
    const CRVNotifyTarget *notifyTarget = nullptr;
    std::uint8_t language = CRV_LANG_ENGLISH;
    std::uint8_t deleteComments = 0;
    std::uint8_t protectEvents = 1;
    std::uint8_t compressScripts = 0;
    std::uint8_t compressStyles = 0;
    std::uint8_t hideScripts = 0;
    // The job, written by the host before the start event is set. The
    // behaviour and target in force at hand-off belong to the job.
    char *input = nullptr;
    std::uint8_t dataType = 0;
    // Moved by the compressor while progress is read from another thread:
    // only ever accessed through std::atomic_ref.
    char *outputCursor = nullptr;
    char **endPointerOut = nullptr;
    std::uint8_t jobBehaviour = CRV_CALL_WAIT;
    const CRVNotifyTarget *jobTarget = nullptr;
    // The highest progress answered for the job, under jobLock.
    std::int32_t progressAnswered = -1;
    // Counts the jobs handed over, under jobLock; tells jobs apart in tests.
    std::uint32_t jobSerial = 0;
    // Where a thread cannot be killed, the worker is asked to leave its loop.
    std::atomic<bool> stopRequested{false};
};

struct InstanceList {
    CompressorInstance *head = nullptr;
    CompressorInstance *tail = nullptr;
    std::int32_t lastId = 0;
};

extern InstanceList instanceList;

// Guards instanceList: any number of host threads create, find and destroy
// instances at once.
extern std::mutex instanceListLock;

CompressorInstance *FindInstance(std::int32_t id);

// Gives back the record and everything it holds; its worker has stopped.
void ReleaseInstance(CompressorInstance *record);

// Holds lock until the instance has no job that is only announcing its end;
// true when it is idle then, false when a job runs.
bool AwaitIdle(CompressorInstance *record, std::unique_lock<std::mutex> &lock);

// The first checks of every call that changes an instance: the id, then a
// running job (CRV_ERR_NO_INSTANCE, CRV_ERR_BUSY in refusal). A job that is
// only announcing its end is waited for.
CompressorInstance *FindIdleInstance(std::int32_t id, std::int32_t &refusal);

// Whether the instance has no running job, once a notice being sent is out.
bool IsIdle(CompressorInstance *record);

// The worker's loop; returns only when the instance is being destroyed on a
// platform without forced thread termination.
void RunWorker(CompressorInstance *record);

// Runs the compressor of the record's data type over its job.
using Compressor = void (*)(CompressorInstance *record);

// Indexed by data type 1..3. Tests put slow or failing compressors here.
extern Compressor compressorForType[4];

// Test seam: the steps of a job at which a test may hold the thread that
// reaches them, to stage a race exactly. Null outside tests.
enum class JobStep {
    kHandedOver,     // host: the job is handed over, the call may now wait
    kAwaitingNotice, // host: a call waits for the previous job's notice
    kAnnouncing,     // worker: the result is final, the notice is next
    kFinished,       // worker: the job counts as finished
    kReady,          // worker: done with the job, about to wait for the next
};
using JobStepHook = void (*)(CompressorInstance *record, std::uint32_t jobSerial, JobStep step);
extern std::atomic<JobStepHook> jobStepHook;

inline void ReachStep(CompressorInstance *record, std::uint32_t jobSerial, JobStep step) {
    if (JobStepHook hook = jobStepHook.load())
        hook(record, jobSerial, step);
}

inline char *LoadCursor(char *&cursor) {
    return std::atomic_ref<char *>(cursor).load(std::memory_order_relaxed);
}

inline void StoreCursor(char *&cursor, char *value) {
    std::atomic_ref<char *>(cursor).store(value, std::memory_order_relaxed);
}

} // namespace crv

#endif
