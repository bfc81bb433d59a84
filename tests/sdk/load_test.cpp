// Loads the built library at run time and binds its exports by name, as a
// host program does.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "sdk/crvsdk.h"

#ifdef _WIN32
#include <windows.h>
using Library = HMODULE;
Library Open(const char *file) { return LoadLibraryA(file); }
void *Bind(Library library, const char *name) {
    return reinterpret_cast<void *>(GetProcAddress(library, name));
}
void Close(Library library) { FreeLibrary(library); }
#else
#include <dlfcn.h>
using Library = void *;
Library Open(const char *file) { return dlopen(file, RTLD_NOW | RTLD_LOCAL); }
void *Bind(Library library, const char *name) { return dlsym(library, name); }
void Close(Library library) { dlclose(library); }
#endif

namespace {

template <typename Function> Function *BindAs(Library library, const char *name) {
    return reinterpret_cast<Function *>(Bind(library, name));
}

TEST(Load, ExportsAreBoundByNameAndCompress) {
    Library library = Open(CRVSDK_FILE);
    ASSERT_NE(library, nullptr) << CRVSDK_FILE;
    const char *names[] = {"CRVCreateInstance",     "CRVDestroyInstance",
                           "CRVSetProperty",        "CRVSetCallerBehaviour",
                           "CRVCompressRawData",    "CRVCompressFile",
                           "CRVGetCharsProcessed",
                           "CRVSetWorkerThreadPriority", "CRVSetLanguage",
                           "CRVGetVersion",         "CRVShowSettingDialogue",
                           "CRVShowAboutDialogue"};
    for (const char *name : names)
        EXPECT_NE(Bind(library, name), nullptr) << name;

    auto *create = BindAs<decltype(CRVCreateInstance)>(library, "CRVCreateInstance");
    auto *setProperty = BindAs<decltype(CRVSetProperty)>(library, "CRVSetProperty");
    auto *compress = BindAs<decltype(CRVCompressRawData)>(library, "CRVCompressRawData");
    auto *destroy = BindAs<decltype(CRVDestroyInstance)>(library, "CRVDestroyInstance");
    auto *version = BindAs<decltype(CRVGetVersion)>(library, "CRVGetVersion");
    ASSERT_TRUE(create && setProperty && compress && destroy && version);

    EXPECT_EQ(version(), static_cast<std::uint32_t>(CRV_VERSION));
    std::int32_t id = 0;
    ASSERT_EQ(create(&id) & 0xFF, CRV_OK);
    EXPECT_EQ(id, 1);
    EXPECT_EQ(setProperty(id, CRV_PROP_BEEP, 0) & 0xFF, CRV_OK);
    char buffer[] = "?p { color : red ; }";
    char *end = nullptr;
    EXPECT_EQ(compress(id, CRV_DATA_CSS, buffer + 1, &end, 0) & 0xFF, CRV_OK);
    EXPECT_EQ(std::string(buffer + 1, end), "p{color:red}");
    EXPECT_EQ(buffer[0], '>');
    EXPECT_EQ(destroy(id) & 0xFF, CRV_OK);
    Close(library);
}

#ifdef _WIN32
TEST(Load, DllCarriesTheVersionOfItsHeader) {
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(CRVSDK_FILE, &handle);
    ASSERT_NE(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(CRVSDK_FILE, 0, size, info.data()));
    void *fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", &fixed, &length));
    const auto *version = static_cast<const VS_FIXEDFILEINFO *>(fixed);
    const std::uint32_t major = CRV_VERSION >> 16, minor = (CRV_VERSION >> 8) & 0xFF,
                        patch = CRV_VERSION & 0xFF;
    EXPECT_EQ(version->dwFileVersionMS, (major << 16) | minor);
    EXPECT_EQ(version->dwFileVersionLS, patch << 16);
}
#endif

} // namespace
