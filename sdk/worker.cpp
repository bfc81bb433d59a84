// The worker's loop and the hand-off of a job to it.
#include "compress/html/html_compressor.h"
#include "compress/script/css_compressor.h"
#include "compress/script/js_compressor.h"
#include "sdk/instance.h"

namespace crv {

namespace {

// The switches of the record's properties, as they stand when the job runs.
CompressOptions OptionsOf(const CompressorInstance &record) {
    CompressOptions options;
    options.deleteComments = record.deleteComments != 0;
    options.protectEvents = record.protectEvents != 0;
    options.compressScripts = record.compressScripts != 0;
    options.compressStyles = record.compressStyles != 0;
    options.hideScripts = record.hideScripts != 0;
    return options;
}

// Each compressor publishes its progress in the record's output cursor, which
// CRVGetCharsProcessed reads.
void RunJavaScript(CompressorInstance *record) {
    CompressJavaScript(record->input, Placement::kDocument, OptionsOf(*record),
                       ProgressCursor(record->outputCursor));
}

void RunHtml(CompressorInstance *record) {
    CompressHtml(record->input, OptionsOf(*record), ProgressCursor(record->outputCursor));
}

void RunCss(CompressorInstance *record) {
    CompressCss(record->input, Placement::kDocument, ProgressCursor(record->outputCursor));
}

const char kErrorCaption[] = "HTML Corvane: Compression done";
const char kErrorText[] = "ERROR OCCURED:\rCould not find the specified window,\r"
                          "or the window has not been specified at all.";

// Runs the compressor and finishes the job's output; the end of the output,
// or null when the compressor failed.
char *RunJob(CompressorInstance *record) {
    try {
        compressorForType[record->dataType](record);
        record->result.store(CRV_OK);
        char *end = LoadCursor(record->outputCursor);
        *end = '\0';
        *record->endPointerOut = end;
        return end;
    } catch (...) {
        record->result.store(CRV_ERR_FAILED);
        StoreCursor(record->outputCursor, nullptr);
        return nullptr;
    }
}

// Sends the job's notice, if it wants one; false when it cannot be
// delivered. The target is read here, before the job counts as finished: from
// then on the host may free or close it.
bool Announce(CompressorInstance *record, std::uint32_t serial, char *end) {
    if (record->jobBehaviour != CRV_CALL_NOTIFY)
        return true;
    {
        std::lock_guard lock(record->jobLock);
        record->busy = kJobAnnouncing;
    }
    ReachStep(record, serial, JobStep::kAnnouncing);
    const CRVNotifyTarget *target = record->jobTarget;
    return target && platform::PostCompletion(*target, end);
}

// Busy drops and the done event is set in one step, so that no later job's
// hand-off falls between them and a wait never ends on this job's signal.
void Finish(CompressorInstance *record) {
    std::lock_guard lock(record->jobLock);
    record->busy = kJobIdle;
    platform::SignalEvent(record->doneEvent);
}

} // namespace

// Data type 0 is refused at hand-off and never reaches the worker.
Compressor compressorForType[4] = {nullptr, RunJavaScript, RunHtml, RunCss};

std::atomic<JobStepHook> jobStepHook{nullptr};

void RunWorker(CompressorInstance *record) {
    for (std::uint32_t serial = 0;;) {
        ReachStep(record, serial, JobStep::kReady);
        platform::WaitForEvent(record->startEvent);
        if (record->stopRequested.load())
            return;
        platform::ClearEvent(record->startEvent);
        serial = record->jobSerial;
        record->input[-1] = '>';
        char *end = RunJob(record);
        if (record->beep)
            platform::SoundCompletionBeep();
        bool announced = Announce(record, serial, end);
        Finish(record);
        ReachStep(record, serial, JobStep::kFinished);
        // The box waits for the user; the instance already takes new jobs.
        if (!announced)
            platform::ShowCompletionError(kErrorCaption, kErrorText);
    }
}

} // namespace crv

using namespace crv;

namespace {

// Under jobLock, with the instance idle. The cursor starts on the byte before
// the text, so progress never shows the previous job's.
void HandOver(CompressorInstance *record, std::uint8_t dataType, char *input,
              char **endPointerOut) {
    record->input = input;
    record->dataType = dataType;
    record->endPointerOut = endPointerOut;
    record->jobBehaviour = record->callerBehaviour;
    record->jobTarget = record->notifyTarget;
    StoreCursor(record->outputCursor, input - 1);
    record->progressAnswered = -1;
    platform::ClearEvent(record->doneEvent);
    record->busy = kJobRunning;
    ++record->jobSerial;
}

} // namespace

extern "C" int32_t CRV_CALL CRVCompressRawData(int32_t instanceId, uint32_t dataType,
                                               char *input, char **endPointerOut,
                                               int32_t forceWait) {
    CompressorInstance *record = FindInstance(instanceId);
    if (!record)
        return CRV_ERR_NO_INSTANCE;
    std::unique_lock lock(record->jobLock);
    if (!AwaitIdle(record, lock))
        return CRV_ERR_BUSY;
    dataType &= 0xFF;
    if (dataType < CRV_DATA_JAVASCRIPT || dataType > CRV_DATA_CSS)
        return CRV_ERR_BAD_DATA_TYPE;
    HandOver(record, static_cast<std::uint8_t>(dataType), input, endPointerOut);
    const std::int32_t lastResult = record->result.load();
    const bool wait = record->jobBehaviour == CRV_CALL_WAIT || forceWait != 0;
    const std::uint32_t serial = record->jobSerial;
    lock.unlock();
    platform::SignalEvent(record->startEvent);
    ReachStep(record, serial, JobStep::kHandedOver);
    if (!wait)
        return lastResult;
    platform::WaitForEvent(record->doneEvent);
    return record->result.load();
}
