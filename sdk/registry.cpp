// The instance list and the exports that manage instances and their settings.
#include <climits>
#include <new>

#include "sdk/instance.h"

namespace crv {

InstanceList instanceList;
std::mutex instanceListLock;

CompressorInstance *FindInstance(std::int32_t id) {
    std::lock_guard list(instanceListLock);
    for (CompressorInstance *record = instanceList.head; record; record = record->next)
        if (record->id == id)
            return record;
    return nullptr;
}

void ReleaseInstance(CompressorInstance *record) {
    platform::CloseEvent(record->startEvent);
    platform::CloseEvent(record->doneEvent);
    if (record->workerThread)
        platform::CloseWorkerThread(record->workerThread);
    delete record;
}

bool AwaitIdle(CompressorInstance *record, std::unique_lock<std::mutex> &lock) {
    while (record->busy == kJobAnnouncing) {
        const std::uint32_t serial = record->jobSerial;
        lock.unlock();
        ReachStep(record, serial, JobStep::kAwaitingNotice);
        platform::WaitForEvent(record->doneEvent);
        lock.lock();
    }
    return record->busy == kJobIdle;
}

CompressorInstance *FindIdleInstance(std::int32_t id, std::int32_t &refusal) {
    CompressorInstance *record = FindInstance(id);
    if (!record) {
        refusal = CRV_ERR_NO_INSTANCE;
        return nullptr;
    }
    std::unique_lock lock(record->jobLock);
    if (!AwaitIdle(record, lock)) {
        refusal = CRV_ERR_BUSY;
        return nullptr;
    }
    return record;
}

bool IsIdle(CompressorInstance *record) {
    std::unique_lock lock(record->jobLock);
    return AwaitIdle(record, lock);
}

} // namespace crv

using namespace crv;

namespace {

// Everything an instance needs before it is linked; null when any part of it
// cannot be made, with whatever was made given back.
CompressorInstance *NewInstance() {
    auto *record = new (std::nothrow) CompressorInstance;
    if (!record)
        return nullptr;
    record->startEvent = platform::NewManualResetEvent();
    record->doneEvent = platform::NewManualResetEvent();
    if (record->startEvent && record->doneEvent)
        record->workerThread = platform::StartWorkerThread(record);
    if (!record->workerThread) {
        ReleaseInstance(record);
        return nullptr;
    }
    return record;
}

// Both under instanceListLock.
void Append(CompressorInstance *record) {
    if (instanceList.tail)
        instanceList.tail->next = record;
    else
        instanceList.head = record;
    instanceList.tail = record;
}

void Unlink(CompressorInstance *record) {
    CompressorInstance *before = nullptr;
    for (CompressorInstance *at = instanceList.head; at != record; at = at->next)
        before = at;
    (before ? before->next : instanceList.head) = record->next;
    if (instanceList.tail == record)
        instanceList.tail = before;
}


// How far the job has got, as the host is told: -1 until the compressor
// moves the cursor, and never less than an earlier answer, although the
// cursor may step back (a fold, the end of an HTML pass). Under jobLock.
std::int32_t Progress(CompressorInstance *record) {
    auto cursor = reinterpret_cast<std::uintptr_t>(LoadCursor(record->outputCursor));
    auto start = reinterpret_cast<std::uintptr_t>(record->input);
    // A cursor before the byte ahead of the text (null after a failure) says
    // nothing new.
    if (cursor + 1 >= start) {
        std::uintptr_t moved = cursor + 1 - start;
        std::int32_t count = moved > static_cast<std::uintptr_t>(INT32_MAX)
                                 ? INT32_MAX
                                 : static_cast<std::int32_t>(moved) - 1;
        if (count > record->progressAnswered)
            record->progressAnswered = count;
    }
    return record->progressAnswered;
}

} // namespace

extern "C" {

int32_t CRV_CALL CRVCreateInstance(int32_t *idOut) {
    CompressorInstance *record = NewInstance();
    if (!record)
        return CRV_ERR_CREATE;
    {
        std::lock_guard list(instanceListLock);
        if (instanceList.lastId != INT32_MAX) {
            record->id = ++instanceList.lastId;
            Append(record);
            *idOut = record->id;
            return CRV_OK;
        }
    }
    platform::EndWorkerThread(record);
    return CRV_ERR_CREATE;
}

int32_t CRV_CALL CRVDestroyInstance(int32_t instanceId) {
    std::int32_t refusal = CRV_OK;
    CompressorInstance *record = FindIdleInstance(instanceId, refusal);
    if (!record)
        return refusal;
    // Only the calling thread may use this instance, so it stays idle.
    {
        std::lock_guard list(instanceListLock);
        Unlink(record);
    }
    platform::EndWorkerThread(record);
    return CRV_OK;
}

int32_t CRV_CALL CRVSetProperty(int32_t instanceId, uint32_t mask, uint32_t value) {
    std::int32_t refusal = CRV_OK;
    CompressorInstance *record = FindIdleInstance(instanceId, refusal);
    if (!record)
        return refusal;
    mask &= 0xFF;
    if (mask >= 64)
        return CRV_ERR_BAD_PROPERTY;
    std::uint8_t *const fields[] = {&record->deleteComments, &record->protectEvents,
                                    &record->compressScripts, &record->compressStyles,
                                    &record->hideScripts, &record->beep};
    for (unsigned bit = 0; bit < 6; ++bit)
        if (mask & (1u << bit))
            *fields[bit] = static_cast<std::uint8_t>(value);
    return CRV_OK;
}

int32_t CRV_CALL CRVSetCallerBehaviour(int32_t instanceId, uint32_t behaviour,
                                       const CRVNotifyTarget *target) {
    std::int32_t refusal = CRV_OK;
    CompressorInstance *record = FindIdleInstance(instanceId, refusal);
    if (!record)
        return refusal;
    behaviour &= 0xFF;
    if (behaviour > CRV_CALL_RETURN)
        return CRV_ERR_BAD_BEHAVIOUR;
    if (behaviour == CRV_CALL_NOTIFY)
        record->notifyTarget = target;
    record->callerBehaviour = static_cast<std::uint8_t>(behaviour);
    return CRV_OK;
}

int32_t CRV_CALL CRVGetCharsProcessed(int32_t instanceId, int32_t *countOut) {
    CompressorInstance *record = FindInstance(instanceId);
    if (!record)
        return CRV_ERR_NO_INSTANCE;
    std::unique_lock lock(record->jobLock);
    if (AwaitIdle(record, lock))
        return CRV_ERR_NOT_BUSY;
    *countOut = Progress(record);
    return CRV_OK;
}

int32_t CRV_CALL CRVSetWorkerThreadPriority(int32_t instanceId, int32_t priority) {
    CompressorInstance *record = FindInstance(instanceId);
    if (!record)
        return CRV_ERR_NO_INSTANCE;
    return platform::SetWorkerPriority(record->workerThread, priority) ? CRV_OK
                                                                       : CRV_ERR_PRIORITY;
}

int32_t CRV_CALL CRVSetLanguage(int32_t instanceId, uint32_t language) {
    std::int32_t refusal = CRV_OK;
    CompressorInstance *record = FindIdleInstance(instanceId, refusal);
    if (!record)
        return refusal;
    language &= 0xFF;
    if (language < CRV_LANG_ENGLISH || language > CRV_LANG_GERMAN)
        return CRV_ERR_BAD_LANGUAGE;
    record->language = static_cast<std::uint8_t>(language);
    return CRV_OK;
}

uint32_t CRV_CALL CRVGetVersion(void) { return CRV_VERSION; }

} // extern "C"
