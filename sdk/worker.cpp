// The worker's loop and the hand-off of a job to it.
#include "compress/html/html_compressor.h"
#include "compress/script/css_compressor.h"
#include "compress/script/js_compressor.h"
#include "sdk/instance.h"

namespace crv {

namespace {

void RunJavaScript(CompressorInstance *record) {
    CompressJavaScript(record->input, 1, &record->outputCursor, record);
}

void RunHtml(CompressorInstance *record) {
    CompressHtml(record->input, &record->outputCursor, record);
}

void RunCss(CompressorInstance *record) {
    CompressCss(record->input, 1, &record->outputCursor, record);
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

void AnnounceCompletion(CompressorInstance *record, char *end) {
    if (record->callerBehaviour.load() != CRV_CALL_NOTIFY)
        return;
    const CRVNotifyTarget *target = record->notifyTarget.load();
    if (!target || !platform::PostCompletion(*target, end))
        platform::ShowCompletionError(kErrorCaption, kErrorText);
}

} // namespace

// Data type 0 is refused at hand-off and never reaches the worker.
Compressor compressorForType[4] = {nullptr, RunJavaScript, RunHtml, RunCss};

void RunWorker(CompressorInstance *record) {
    for (;;) {
        platform::WaitForEvent(record->startEvent);
        if (record->stopRequested.load())
            return;
        platform::ClearEvent(record->startEvent);
        record->input[-1] = '>';
        char *end = RunJob(record);
        if (record->beep)
            platform::SoundCompletionBeep();
        record->busy.store(0, std::memory_order_release);
        platform::SignalEvent(record->doneEvent);
        AnnounceCompletion(record, end);
    }
}

} // namespace crv

using namespace crv;

extern "C" int32_t CRV_CALL CRVCompressRawData(int32_t instanceId, uint32_t dataType,
                                               char *input, char **endPointerOut,
                                               int32_t forceWait) {
    CompressorInstance *record = FindInstance(instanceId);
    if (!record)
        return CRV_ERR_NO_INSTANCE;
    if (record->busy.load(std::memory_order_acquire))
        return CRV_ERR_BUSY;
    dataType &= 0xFF;
    if (dataType < CRV_DATA_JAVASCRIPT || dataType > CRV_DATA_CSS)
        return CRV_ERR_BAD_DATA_TYPE;
    record->input = input;
    record->dataType = static_cast<std::uint8_t>(dataType);
    record->endPointerOut = endPointerOut;
    // A job nobody waited for leaves the done event set; clear it so that a
    // wait below ends only when this job is finished.
    platform::ClearEvent(record->doneEvent);
    record->busy.store(1, std::memory_order_release);
    platform::SignalEvent(record->startEvent);
    if (record->callerBehaviour.load() != CRV_CALL_WAIT && forceWait == 0)
        return record->result.load();
    platform::WaitForEvent(record->doneEvent);
    platform::ClearEvent(record->doneEvent);
    return record->result.load();
}
