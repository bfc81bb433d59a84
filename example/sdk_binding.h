#ifndef CRV_EXAMPLE_SDK_BINDING_H
#define CRV_EXAMPLE_SDK_BINDING_H

#include <string>

#include <windows.h>

#include "sdk/crvsdk.h"

namespace crvdemo {

// The library's module and its twelve entry points, bound by name before the
// program's entry function runs. The types come from the header's prototypes,
// so the program needs no import library.
struct SdkBinding {
    HMODULE module;
    decltype(&CRVCreateInstance) createInstance;
    decltype(&CRVDestroyInstance) destroyInstance;
    decltype(&CRVSetProperty) setProperty;
    decltype(&CRVSetCallerBehaviour) setCallerBehaviour;
    decltype(&CRVCompressRawData) compressRawData;
    decltype(&CRVCompressFile) compressFile;
    decltype(&CRVGetCharsProcessed) getCharsProcessed;
    decltype(&CRVSetWorkerThreadPriority) setWorkerThreadPriority;
    decltype(&CRVSetLanguage) setLanguage;
    decltype(&CRVShowSettingDialogue) showSettingDialogue;
    decltype(&CRVShowAboutDialogue) showAboutDialogue;
    decltype(&CRVGetVersion) getVersion;
};

extern const SdkBinding Sdk;

// What kept the binding from completing, as a message for the user: the
// library that did not load or the first entry point it lacks. Empty when
// every entry point is bound.
std::string BindingFault();

// Only the low byte of a result carries the result code.
inline int LowByte(int32_t result) { return result & 0xFF; }

} // namespace crvdemo

#endif
