// The instance list and the exports that manage instances and their settings.
#include <climits>
#include <new>

#include "sdk/instance.h"

namespace crv {

InstanceList instanceList;

CompressorInstance *FindInstance(std::int32_t id) {
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

} // namespace crv

using namespace crv;

namespace {

// Everything an instance needs before it is linked; null when any part of it
// cannot be made, with whatever was made given back.
CompressorInstance *NewInstance(std::int32_t id) {
    auto *record = new (std::nothrow) CompressorInstance;
    if (!record)
        return nullptr;
    record->id = id;
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

void Append(CompressorInstance *record) {
    if (instanceList.tail)
        instanceList.tail->next = record;
    else
        instanceList.head = record;
    instanceList.tail = record;
}

bool IsBusy(const CompressorInstance *record) {
    return record->busy.load(std::memory_order_acquire) != 0;
}

} // namespace

extern "C" {

int32_t CRV_CALL CRVCreateInstance(int32_t *idOut) {
    if (instanceList.lastId == INT32_MAX)
        return CRV_ERR_CREATE;
    CompressorInstance *record = NewInstance(instanceList.lastId + 1);
    if (!record)
        return CRV_ERR_CREATE;
    instanceList.lastId = record->id;
    *idOut = record->id;
    Append(record);
    return CRV_OK;
}

int32_t CRV_CALL CRVDestroyInstance(int32_t instanceId) {
    CompressorInstance *before = nullptr;
    CompressorInstance *record = instanceList.head;
    while (record && record->id != instanceId) {
        before = record;
        record = record->next;
    }
    if (!record)
        return CRV_ERR_NO_INSTANCE;
    if (IsBusy(record))
        return CRV_ERR_BUSY;
    (before ? before->next : instanceList.head) = record->next;
    if (instanceList.tail == record)
        instanceList.tail = before;
    platform::EndWorkerThread(record);
    return CRV_OK;
}

int32_t CRV_CALL CRVSetProperty(int32_t instanceId, uint32_t mask, uint32_t value) {
    CompressorInstance *record = FindInstance(instanceId);
    if (!record)
        return CRV_ERR_NO_INSTANCE;
    if (IsBusy(record))
        return CRV_ERR_BUSY;
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
    CompressorInstance *record = FindInstance(instanceId);
    if (!record)
        return CRV_ERR_NO_INSTANCE;
    if (IsBusy(record))
        return CRV_ERR_BUSY;
    behaviour &= 0xFF;
    if (behaviour > CRV_CALL_RETURN)
        return CRV_ERR_BAD_BEHAVIOUR;
    if (behaviour == CRV_CALL_WAIT)
        platform::ClearEvent(record->doneEvent);
    if (behaviour == CRV_CALL_NOTIFY)
        record->notifyTarget.store(target);
    record->callerBehaviour.store(static_cast<std::uint8_t>(behaviour));
    return CRV_OK;
}

int32_t CRV_CALL CRVGetCharsProcessed(int32_t instanceId, int32_t *countOut) {
    CompressorInstance *record = FindInstance(instanceId);
    if (!record)
        return CRV_ERR_NO_INSTANCE;
    if (!IsBusy(record))
        return CRV_ERR_NOT_BUSY;
    // Plain integers: before the compressor first moves it, the cursor may
    // still be the previous job's (even null), and the count means nothing.
    auto cursor = reinterpret_cast<std::uintptr_t>(LoadCursor(record->outputCursor));
    auto start = reinterpret_cast<std::uintptr_t>(record->input);
    *countOut = static_cast<int32_t>(cursor - start);
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
    CompressorInstance *record = FindInstance(instanceId);
    if (!record)
        return CRV_ERR_NO_INSTANCE;
    if (IsBusy(record))
        return CRV_ERR_BUSY;
    language &= 0xFF;
    if (language < CRV_LANG_ENGLISH || language > CRV_LANG_GERMAN)
        return CRV_ERR_BAD_LANGUAGE;
    record->language = static_cast<std::uint8_t>(language);
    return CRV_OK;
}

uint32_t CRV_CALL CRVGetVersion(void) { return CRV_VERSION; }

} // extern "C"
