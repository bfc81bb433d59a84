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
 * Rules the host keeps, since the library takes no locks:
 *  - CRVCreateInstance and CRVDestroyInstance overlap no other call.
 *  - Calls for one instance come from one thread at a time.
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

/* Result codes. */
#define CRV_OK 0
#define CRV_ERR_BUSY 1          /* a job is handed over or running */
#define CRV_ERR_CREATE 2        /* the instance cannot be set up */
#define CRV_ERR_NO_INSTANCE 3   /* no instance has this id */
#define CRV_ERR_BAD_PROPERTY 4  /* property mask of 64 or more */
#define CRV_ERR_BAD_DATA_TYPE 5 /* data type not 1, 2 or 3 */
#define CRV_ERR_READ_FILE 7
#define CRV_ERR_WRITE_FILE 8
#define CRV_ERR_BAD_BEHAVIOUR 9 /* caller behaviour not 0, 1 or 2 */
#define CRV_ERR_NOT_BUSY 10     /* progress asked while no job runs */
#define CRV_ERR_PRIORITY 11     /* the thread priority was refused */
#define CRV_ERR_FAILED 12       /* the compressor failed; the output is void */
#define CRV_ERR_BAD_LANGUAGE 13 /* language not 1, 2 or 3 */
#define CRV_ERR_CANCELLED 14    /* the settings dialogue was cancelled */

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
 * wParam 0 and lParam the end of the output (0 after a failed job).
 * Linux: `window` is a file descriptor (pipe or socket); the worker writes
 * three uintptr_t values {message, wParam, lParam} in one write().
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
 * For CRV_CALL_NOTIFY the address of target is kept (not the record): it must
 * stay valid while jobs run. Choosing CRV_CALL_WAIT clears a completion signal
 * left by an earlier job that nobody waited for. */
CRV_EXPORT int32_t CRV_CALL CRVSetCallerBehaviour(int32_t instanceId,
                                                  uint32_t behaviour,
                                                  const CRVNotifyTarget *target);

/* Hands input (zero-terminated, compressed in place) to the worker. The byte
 * before input must be writable: it becomes '>'. Checks: id, busy, data type
 * 1..3 (then the buffer is untouched). Waits when the behaviour is
 * CRV_CALL_WAIT or forceWait is non-zero, and returns CRV_OK or CRV_ERR_FAILED;
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
 * unreadable, locked, too large for memory) comes first; then the results of
 * CRVCompressRawData, which leave the file alone; CRV_ERR_WRITE_FILE when the
 * output cannot be written, and then the file keeps its previous content
 * (a read-only file is refused so). */
CRV_EXPORT int32_t CRV_CALL CRVCompressFile(int32_t instanceId, uint32_t dataType,
                                            const char *fileName);

/* While a job runs, stores at *countOut how far the output cursor has moved
 * (-1 at the start, growing as output is written); a snapshot. Checks: id,
 * busy; CRV_ERR_NOT_BUSY (and *countOut untouched) when no job runs, which is
 * also how a CRV_CALL_RETURN caller learns that its job has finished. */
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

#ifdef __cplusplus
}
#endif

#endif
