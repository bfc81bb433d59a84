#include "example/sdk_binding.h"

namespace crvdemo {

namespace {

constexpr const char *kLibraryFile = "crvsdk.dll";

// The first name that GetProcAddress could not find; null while all were.
const char *missingEntry = nullptr;

template <typename Function> void Bind(HMODULE module, Function &pointer, const char *name) {
    FARPROC address = module ? GetProcAddress(module, name) : nullptr;
    // void (*)() converts to and from any function pointer type.
    pointer = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
    if (!address && !missingEntry)
        missingEntry = name;
}

SdkBinding BindSdk() {
    SdkBinding sdk{};
    sdk.module = LoadLibraryA(kLibraryFile);
    Bind(sdk.module, sdk.createInstance, "CRVCreateInstance");
    Bind(sdk.module, sdk.destroyInstance, "CRVDestroyInstance");
    Bind(sdk.module, sdk.setProperty, "CRVSetProperty");
    Bind(sdk.module, sdk.setCallerBehaviour, "CRVSetCallerBehaviour");
    Bind(sdk.module, sdk.compressRawData, "CRVCompressRawData");
    Bind(sdk.module, sdk.compressFile, "CRVCompressFile");
    Bind(sdk.module, sdk.getCharsProcessed, "CRVGetCharsProcessed");
    Bind(sdk.module, sdk.setWorkerThreadPriority, "CRVSetWorkerThreadPriority");
    Bind(sdk.module, sdk.setLanguage, "CRVSetLanguage");
    Bind(sdk.module, sdk.showSettingDialogue, "CRVShowSettingDialogue");
    Bind(sdk.module, sdk.showAboutDialogue, "CRVShowAboutDialogue");
    Bind(sdk.module, sdk.getVersion, "CRVGetVersion");
    return sdk;
}

} // namespace

// Bound as a static initialiser, as a host that links the library would be
// bound by the loader, so the entry function starts with the library in place.
const SdkBinding Sdk = BindSdk();

std::string BindingFault() {
    if (!Sdk.module)
        return std::string("Can not load the library ") + kLibraryFile +
               ". Please put it in the folder of this program.";
    if (missingEntry)
        return std::string("The library ") + kLibraryFile + " has no entry point " +
               missingEntry + ". Please use the " + kLibraryFile +
               " that came with this program.";
    return {};
}

} // namespace crvdemo
