// File compression failures that Windows stages: files held open by others.
#include <gtest/gtest.h>

#include <windows.h>

#include "sdk/crvsdk.h"
#include "tests/sdk/file_test_support.h"

namespace crvtest {

void MakeReadOnly(const std::string &file, bool readOnly) {
    SetFileAttributesA(file.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
}

} // namespace crvtest

namespace {

using crvtest::ReadBytes;
using crvtest::ScratchFolder;

const char kSheet[] = "a { color : red ; }";

TEST(CompressFileWin32, FilesHeldByOthersAreLeftAlone) {
    const struct {
        const char *name;
        DWORD sharing;
        std::int32_t result;
    } cases[] = {
        {"opened without sharing", 0, CRV_ERR_READ_FILE},
        {"opened sharing reading only", FILE_SHARE_READ, CRV_ERR_WRITE_FILE},
    };
    std::int32_t id = 0;
    ASSERT_EQ(CRVCreateInstance(&id), CRV_OK);
    CRVSetProperty(id, CRV_PROP_BEEP, 0);
    ScratchFolder folder;
    for (const auto &c : cases) {
        std::string file = folder.Write("held.css", kSheet);
        HANDLE other = CreateFileA(file.c_str(), GENERIC_READ, c.sharing, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(other, INVALID_HANDLE_VALUE) << c.name;
        EXPECT_EQ(CRVCompressFile(id, CRV_DATA_CSS, file.c_str()), c.result) << c.name;
        CloseHandle(other);
        EXPECT_EQ(ReadBytes(file), kSheet) << c.name;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1)
            << c.name << ": a new file was left behind";
    }
    EXPECT_EQ(CRVDestroyInstance(id), CRV_OK);
}

// Reading a pipe or a device would block or answer without end: each is
// refused at once.
TEST(CompressFileWin32, PipesAndDevicesAreRefused) {
    const std::string pipeName =
        "\\\\.\\pipe\\crv-file-test-" + std::to_string(GetCurrentProcessId());
    HANDLE server = CreateNamedPipeA(pipeName.c_str(), PIPE_ACCESS_OUTBOUND,
                                     PIPE_TYPE_BYTE | PIPE_NOWAIT, 1, 64, 64, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);
    const struct {
        const char *name;
        std::string path;
    } cases[] = {
        {"named pipe that never writes", pipeName},
        {"NUL device", "NUL"},
    };
    std::int32_t id = 0;
    ASSERT_EQ(CRVCreateInstance(&id), CRV_OK);
    CRVSetProperty(id, CRV_PROP_BEEP, 0);
    for (const auto &c : cases)
        EXPECT_EQ(CRVCompressFile(id, CRV_DATA_CSS, c.path.c_str()), CRV_ERR_READ_FILE) << c.name;
    EXPECT_EQ(CRVDestroyInstance(id), CRV_OK);
    CloseHandle(server);
}

} // namespace
