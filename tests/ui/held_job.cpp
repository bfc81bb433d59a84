#include "tests/ui/held_job.h"

#include <cstring>

namespace crvtest {

namespace {

HANDLE releaseHeld = nullptr;

void RunHeld(crv::CompressorInstance *record) {
    WaitForSingleObject(releaseHeld, INFINITE);
    crv::StoreCursor(record->outputCursor, record->input + std::strlen(record->input));
}

} // namespace

HeldJob::HeldJob(std::int32_t id) : id_(id), saved_(crv::compressorForType[CRV_DATA_CSS]) {
    releaseHeld = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    crv::compressorForType[CRV_DATA_CSS] = RunHeld;
    CRVSetCallerBehaviour(id_, CRV_CALL_RETURN, nullptr);
    CRVCompressRawData(id_, CRV_DATA_CSS, buffer_ + 1, &end_, 0);
}

HeldJob::~HeldJob() { Release(); }

void HeldJob::Release() {
    if (released_)
        return;
    released_ = true;
    SetEvent(releaseHeld);
    std::int32_t count = 0;
    while (CRVGetCharsProcessed(id_, &count) == CRV_OK)
        Sleep(5);
    crv::compressorForType[CRV_DATA_CSS] = saved_;
    CRVSetCallerBehaviour(id_, CRV_CALL_WAIT, nullptr);
    CloseHandle(releaseHeld);
    releaseHeld = nullptr;
}

} // namespace crvtest
