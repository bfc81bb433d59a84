/*
 * crvsdk.h - HTML Corvane, the in-place compressor for HTML, JavaScript and CSS.
 *
 * A host creates an instance, sets its properties and hands it zero-terminated
 * text to compress in place. Each instance owns a worker thread that runs one
 * job at a time; the host may wait for the job, poll for it, or be notified.
 *
 * Every export returns a result code in the low 8 bits of its 32-bit result
 * (CRVGetVersion aside); test only that byte. A refused call changes nothing.
 * Arguments described as 8-bit are examined in their low 8 bits only.
 *
 * Threads: any number of host threads may create, use and destroy instances
 * at the same time, each its own. The host keeps one rule: calls for one
 * instance come from one thread at a time (and an instance is not destroyed
 * while another thread still uses it).
 *
 * A job is finished once the waiting call has returned, CRVGetCharsProcessed
 * has answered CRV_ERR_NOT_BUSY, or the notice has arrived. Its notice, if
 * any, has then been sent, and the library touches nothing of the job any
 * more: the buffer, the end-pointer variable and the NotifyTarget (and its
 * descriptor) are the host's again. The calls that refuse a busy instance
 * with CRV_ERR_BUSY do so only while its job runs; while the job sends its
 * notice they wait for that instead.
 *
 * On Windows the exports use the stdcall convention and are exported under
 * their plain names; bind them by name. On Linux they are ordinary C functions.
 */
#ifndef CRVSDK_H
#define CRVSDK_H

#include <stdint.h>

#ifdef _WIN32
#define CRV_CALL __stdcall
#else
#define CRV_CALL
#endif

#if defined(CRVSDK_BUILDING) && !defined(_WIN32)
#define CRV_EXPORT __attribute__((visibility("default")))
#else
#define CRV_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define CRV_VERSION 262144 /* 0x40000 */

/*
 * Result codes: the low 8 bits of every export's result but CRVGetVersion's.
 * The last column names the exports without their CRV prefix.
 *
 *  code  name                    meaning                          returned by
 *  ----  ----------------------  -------------------------------  ------------------------------
 *    0   CRV_OK                  success                          all
 *    1   CRV_ERR_BUSY            a job is handed over or running  Destroy, SetProperty,
 *                                on the instance; nothing changed SetCallerBehaviour, SetLanguage,
 *                                                                 CompressRawData, CompressFile,
 *                                                                 ShowSettingDialogue
 *    2   CRV_ERR_CREATE          the instance cannot be set up    CreateInstance
 *    3   CRV_ERR_NO_INSTANCE     no instance has this id          every export that takes an id
 *    4   CRV_ERR_BAD_PROPERTY    property mask of 64 or more      SetProperty
 *    5   CRV_ERR_BAD_DATA_TYPE   data type not 1, 2 or 3          CompressRawData, CompressFile
 *    6   (none)                  never returned                   -
 *    7   CRV_ERR_READ_FILE       the file cannot be read (see     CompressFile
 *                                CRVCompressFile)
 *    8   CRV_ERR_WRITE_FILE      the file cannot be written       CompressFile
 *    9   CRV_ERR_BAD_BEHAVIOUR   caller behaviour not 0, 1 or 2   SetCallerBehaviour
 *   10   CRV_ERR_NOT_BUSY        progress asked while no job runs GetCharsProcessed
 *   11   CRV_ERR_PRIORITY        the thread priority was refused  SetWorkerThreadPriority
 *   12   CRV_ERR_FAILED          the compressor failed; the       CompressRawData, CompressFile
 *                                output is void
 *   13   CRV_ERR_BAD_LANGUAGE    language not 1, 2 or 3           SetLanguage
 *   14   CRV_ERR_CANCELLED       the settings dialogue was        ShowSettingDialogue
 *                                cancelled
 *
 * 6 is a gap in the numbering, not a code: no export returns it. Hosts
 * compare against the numbers themselves, so the codes after it keep their
 * values rather than close the gap. A host treats 6, like any value not in
 * this table, as a failure it does not know.
 */
#define CRV_OK 0
#define CRV_ERR_BUSY 1
#define CRV_ERR_CREATE 2
#define CRV_ERR_NO_INSTANCE 3
#define CRV_ERR_BAD_PROPERTY 4
#define CRV_ERR_BAD_DATA_TYPE 5
#define CRV_ERR_READ_FILE 7
#define CRV_ERR_WRITE_FILE 8
#define CRV_ERR_BAD_BEHAVIOUR 9
#define CRV_ERR_NOT_BUSY 10
#define CRV_ERR_PRIORITY 11
#define CRV_ERR_FAILED 12
#define CRV_ERR_BAD_LANGUAGE 13
#define CRV_ERR_CANCELLED 14

/* Data types. */
#define CRV_DATA_JAVASCRIPT 1
#define CRV_DATA_HTML 2
#define CRV_DATA_CSS 3

/* Property bits for CRVSetProperty. */
#define CRV_PROP_DELETE_COMMENTS 1  /* default off */
#define CRV_PROP_PROTECT_EVENTS 2   /* default on */
#define CRV_PROP_COMPRESS_SCRIPTS 4 /* default off */
#define CRV_PROP_COMPRESS_STYLES 8  /* default off */
#define CRV_PROP_HIDE_SCRIPTS 16    /* default off */
#define CRV_PROP_BEEP 32            /* default on */

/* Caller behaviours: how a compression call returns. */
#define CRV_CALL_WAIT 0   /* wait for the job and return its result */
#define CRV_CALL_NOTIFY 1 /* return at once; the NotifyTarget is told */
#define CRV_CALL_RETURN 2 /* return at once; poll CRVGetCharsProcessed */

/* Dialogue languages. */
#define CRV_LANG_ENGLISH 1
#define CRV_LANG_CZECH 2
#define CRV_LANG_GERMAN 3

/*
 * Where the completion of a job is announced under CRV_CALL_NOTIFY.
 * Windows: `window` is an HWND; the worker posts `message` to it with
 * wParam 0 and lParam the end of the output (0 after a failed job; after
 * CRVCompressFile a yes or no only, see there).
 * Linux: `window` is a file descriptor (pipe or socket); the worker writes
 * three uintptr_t values {message, wParam, lParam} in one write(). A value
 * that is no descriptor number (negative, above INT_MAX) is a target that
 * cannot be reached: nothing is written anywhere.
 */
typedef struct CRVNotifyTarget {
#ifdef _WIN32
    void *window;
#else
    intptr_t window;
#endif
    uint32_t message;
} CRVNotifyTarget;

/* Creates an instance with default settings and its worker thread; stores its
 * id at *idOut. Ids start at 1 and are never reissued. CRV_ERR_CREATE when the
 * record, its events or its thread cannot be made, or ids are exhausted; then
 * nothing changes. */
CRV_EXPORT int32_t CRV_CALL CRVCreateInstance(int32_t *idOut);

/* Ends an instance and its worker. Checks: id, busy. The id is dead afterwards.
 * Returns at once; the record is released once the worker has stopped. */
CRV_EXPORT int32_t CRV_CALL CRVDestroyInstance(int32_t instanceId);

/* Stores the low 8 bits of value into every property whose bit is set in the
 * low 8 bits of mask (hosts use 0 or 1). Checks: id, busy, mask < 64. */
CRV_EXPORT int32_t CRV_CALL CRVSetProperty(int32_t instanceId, uint32_t mask,
                                           uint32_t value);

/* Chooses how compression calls return. Checks: id, busy, behaviour 0..2.
 * For CRV_CALL_NOTIFY the address of target is kept (not the record). Each
 * job takes the behaviour and target in force when it is handed over, and
 * reads the record when it ends, before it counts as finished: the record
 * stays valid until that job is finished. */
CRV_EXPORT int32_t CRV_CALL CRVSetCallerBehaviour(int32_t instanceId,
                                                  uint32_t behaviour,
                                                  const CRVNotifyTarget *target);

/* Hands input (zero-terminated, compressed in place) to the worker. The byte
 * before input must be writable: it becomes '>'. Checks: id, busy, data type
 * 1..3 (then the buffer is untouched). Waits when the behaviour is
 * CRV_CALL_WAIT or forceWait is non-zero, until this very job is finished (its
 * notice sent, under CRV_CALL_NOTIFY), and returns CRV_OK or CRV_ERR_FAILED;
 * on success *endPointerOut receives the address of the zero byte after the
 * output. Otherwise returns at once the result of the last finished job, which
 * is no news about this one. input and endPointerOut stay valid, and the buffer
 * untouched by the host, until the job is finished. */
CRV_EXPORT int32_t CRV_CALL CRVCompressRawData(int32_t instanceId,
                                               uint32_t dataType, char *input,
                                               char **endPointerOut,
                                               int32_t forceWait);

/* Compresses a file in place: reads it whole (raw bytes; the text ends at its
 * first zero byte, if any), runs one job on it, waiting whatever the caller
 * behaviour, and replaces the file's content with the output. The file is
 * read before the instance is looked up, so CRV_ERR_READ_FILE (missing,
 * unreadable, locked, too large for memory, or not a regular file: a FIFO or
 * a device is left alone and never waited for) comes first; then the results
 * of CRVCompressRawData, which leave the file alone; CRV_ERR_WRITE_FILE when the
 * output cannot be written, and then the file keeps its previous content
 * (a read-only file is refused so).
 * Under CRV_CALL_NOTIFY the notice is still sent, but its lParam points into
 * the library's own copy of the file, which is released before this call
 * returns: by the time the host reads the notice the address is gone. Use
 * lParam only as zero (the compression failed) or non-zero (it succeeded;
 * whether the file was then written is this call's result); never read
 * through it. The output is in the file. */
CRV_EXPORT int32_t CRV_CALL CRVCompressFile(int32_t instanceId, uint32_t dataType,
                                            const char *fileName);

/* While a job runs, stores at *countOut how far it has got, in characters
 * from the start of the text:
 *  - JavaScript and CSS: the most output characters written so far, less one;
 *  - HTML: how far the pass has read; an embedded script or style counts once
 *    it is done.
 * It is -1 from the hand-off until the compressor first moves on, never
 * decreases during a job and stops at INT32_MAX. It is a snapshot: the job
 * may have moved on, or ended, by the time the host reads it.
 * Checks: id, busy; CRV_ERR_NOT_BUSY (and *countOut untouched) when no job
 * runs, which is also how a CRV_CALL_RETURN caller learns that its job has
 * finished. */
CRV_EXPORT int32_t CRV_CALL CRVGetCharsProcessed(int32_t instanceId,
                                                 int32_t *countOut);

/* Sets the worker's priority to a Windows thread priority level: -15 (idle),
 * -2, -1, 0, 1, 2, 15 (time critical). Allowed while a job runs. Checks: id;
 * CRV_ERR_PRIORITY when the level is unknown or the system refuses it. */
CRV_EXPORT int32_t CRV_CALL CRVSetWorkerThreadPriority(int32_t instanceId,
                                                       int32_t priority);

/* Chooses the language of the instance's dialogues (CRV_LANG_*). Checks: id,
 * busy, language 1..3. */
CRV_EXPORT int32_t CRV_CALL CRVSetLanguage(int32_t instanceId,
                                           uint32_t language);

/* Shows the instance's settings dialogue, modal and owned by parent (an HWND),
 * in the instance's language; OK stores its six check boxes as the properties
 * (0 or 1). Checks: id, busy (then no dialogue). Also CRV_ERR_BUSY when the
 * instance became busy while the dialogue was open (the choice is dropped);
 * CRV_ERR_CANCELLED for Cancel or Esc, or when the dialogue cannot be shown
 * (parent not a window). Linux has no window to own it: after the same two
 * checks the answer is CRV_ERR_CANCELLED and nothing changes. */
CRV_EXPORT int32_t CRV_CALL CRVShowSettingDialogue(int32_t instanceId, void *parent);

/* Shows the about dialogue (English), modal and owned by parent; its links and
 * its donation button open web pages in a browser. The first argument is not
 * examined and no instance is needed. Always CRV_OK; on Linux nothing is
 * shown. */
CRV_EXPORT int32_t CRV_CALL CRVShowAboutDialogue(uint32_t unused, void *parent);

/* Returns CRV_VERSION as the whole result. */
CRV_EXPORT uint32_t CRV_CALL CRVGetVersion(void);

/*
 * One pointer type per export, for hosts that load the library at run time
 * and bind the exports by name (GetProcAddress, dlsym): cast the address
 * found to the type of the same name with "Fn" added. The types carry the
 * calling convention, which a pointer declared by hand easily misses.
 */
typedef int32_t(CRV_CALL *CRVCreateInstanceFn)(int32_t *idOut);
typedef int32_t(CRV_CALL *CRVDestroyInstanceFn)(int32_t instanceId);
typedef int32_t(CRV_CALL *CRVSetPropertyFn)(int32_t instanceId, uint32_t mask, uint32_t value);
typedef int32_t(CRV_CALL *CRVSetCallerBehaviourFn)(int32_t instanceId, uint32_t behaviour,
                                                  const CRVNotifyTarget *target);
typedef int32_t(CRV_CALL *CRVCompressRawDataFn)(int32_t instanceId, uint32_t dataType,
                                               char *input, char **endPointerOut,
                                               int32_t forceWait);
typedef int32_t(CRV_CALL *CRVCompressFileFn)(int32_t instanceId, uint32_t dataType,
                                            const char *fileName);
typedef int32_t(CRV_CALL *CRVGetCharsProcessedFn)(int32_t instanceId, int32_t *countOut);
typedef int32_t(CRV_CALL *CRVSetWorkerThreadPriorityFn)(int32_t instanceId, int32_t priority);
typedef int32_t(CRV_CALL *CRVSetLanguageFn)(int32_t instanceId, uint32_t language);
typedef uint32_t(CRV_CALL *CRVGetVersionFn)(void);
typedef int32_t(CRV_CALL *CRVShowSettingDialogueFn)(int32_t instanceId, void *parent);
typedef int32_t(CRV_CALL *CRVShowAboutDialogueFn)(uint32_t unused, void *parent);

#ifdef __cplusplus
}
#endif

#endif
