/* The header's pointer types against the exports, in C as a host sees them.
 * This file is built with every warning an error: an export whose pointer
 * type differs in a parameter, the result or the calling convention is an
 * assignment between incompatible pointer types, and stops the build. Run,
 * it calls through each pointer the way a host bound by name does. */
#include <stdio.h>
#include <string.h>

#include "sdk/crvsdk.h"

static int failures = 0;

static void Expect(int holds, const char *what) {
    if (!holds) {
        printf("FAIL %s\n", what);
        ++failures;
    }
}

int main(void) {
    CRVCreateInstanceFn create = CRVCreateInstance;
    CRVDestroyInstanceFn destroy = CRVDestroyInstance;
    CRVSetPropertyFn setProperty = CRVSetProperty;
    CRVSetCallerBehaviourFn setCallerBehaviour = CRVSetCallerBehaviour;
    CRVCompressRawDataFn compressRawData = CRVCompressRawData;
    CRVCompressFileFn compressFile = CRVCompressFile;
    CRVGetCharsProcessedFn getCharsProcessed = CRVGetCharsProcessed;
    CRVSetWorkerThreadPriorityFn setWorkerThreadPriority = CRVSetWorkerThreadPriority;
    CRVSetLanguageFn setLanguage = CRVSetLanguage;
    CRVGetVersionFn getVersion = CRVGetVersion;
    CRVShowSettingDialogueFn showSettingDialogue = CRVShowSettingDialogue;
    /* Bound only: on Windows it would open a modal dialogue. */
    CRVShowAboutDialogueFn showAboutDialogue = CRVShowAboutDialogue;
    (void)showAboutDialogue;

    int32_t id = 0, count = 7;
    char buffer[] = "#a { b : c ; }";
    char *end = NULL;
    Expect((create(&id) & 0xFF) == CRV_OK, "create");
    Expect((setProperty(id, CRV_PROP_BEEP, 0) & 0xFF) == CRV_OK, "set property");
    Expect((setCallerBehaviour(id, CRV_CALL_WAIT, NULL) & 0xFF) == CRV_OK, "set behaviour");
    Expect((setLanguage(id, CRV_LANG_CZECH) & 0xFF) == CRV_OK, "set language");
    Expect((setWorkerThreadPriority(id, 0) & 0xFF) == CRV_OK, "set priority");
    Expect((compressRawData(id, CRV_DATA_CSS, buffer + 1, &end, 1) & 0xFF) == CRV_OK, "compress");
    Expect(end != NULL && strcmp(buffer + 1, "a{b:c}") == 0, "compressed text");
    Expect((getCharsProcessed(id, &count) & 0xFF) == CRV_ERR_NOT_BUSY && count == 7, "progress");
    Expect((compressFile(id, CRV_DATA_CSS, "") & 0xFF) == CRV_ERR_READ_FILE, "compress file");
    Expect((destroy(id) & 0xFF) == CRV_OK, "destroy");
    Expect((destroy(id) & 0xFF) == CRV_ERR_NO_INSTANCE, "destroyed");
    Expect((showSettingDialogue(id, NULL) & 0xFF) == CRV_ERR_NO_INSTANCE, "settings dialogue");
    Expect(getVersion() == CRV_VERSION, "version");
    return failures != 0;
}
