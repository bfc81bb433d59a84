// File compression failures that only a POSIX system can stage for real: a
// full disk, and the owner and permissions a replaced file keeps.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "sdk/crvsdk.h"
#include "tests/sdk/file_test_support.h"

namespace crvtest {

void MakeReadOnly(const std::string &file, bool readOnly) {
    chmod(file.c_str(), readOnly ? 0444 : 0644);
}

} // namespace crvtest

namespace {

using crvtest::ReadBytes;
using crvtest::ScratchFolder;

class CompressFilePosix : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(CRVCreateInstance(&id), CRV_OK);
        ASSERT_EQ(CRVSetProperty(id, CRV_PROP_BEEP, 0), CRV_OK);
    }
    void TearDown() override { EXPECT_EQ(CRVDestroyInstance(id), CRV_OK); }

    std::int32_t id = 0;
    ScratchFolder folder;
};

// A sheet that barely shrinks, so that the new file needs nearly as much
// room as the original.
std::string DenseSheet(std::size_t size) {
    std::string sheet;
    for (int i = 0; sheet.size() < size; ++i)
        sheet += ".c" + std::to_string(i) + "{margin:" + std::to_string(i % 97) + "px}";
    return sheet + " ";
}

TEST_F(CompressFilePosix, FullDiskKeepsTheOriginal) {
    std::string mountPoint = (folder.Path() / "small").string();
    std::filesystem::create_directory(mountPoint);
    if (mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a small file system here";
    std::string sheet = DenseSheet(40 * 1024);
    std::string file = mountPoint + "/dense.css";
    {
        std::ofstream(file, std::ios::binary) << sheet;
    }
    EXPECT_EQ(CRVCompressFile(id, CRV_DATA_CSS, file.c_str()), CRV_ERR_WRITE_FILE);
    EXPECT_EQ(ReadBytes(file), sheet);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(mountPoint), {}), 1);
    umount(mountPoint.c_str());
}

TEST_F(CompressFilePosix, ReplacedFileKeepsItsPermissions) {
    std::string file = folder.Write("kept.css", "a { }");
    chmod(file.c_str(), 0640);
    EXPECT_EQ(CRVCompressFile(id, CRV_DATA_CSS, file.c_str()), CRV_OK);
    struct stat status;
    ASSERT_EQ(stat(file.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadBytes(file), "a{}");
}

TEST_F(CompressFilePosix, ThroughALinkTheLinkedFileIsCompressed) {
    std::string file = folder.Write("real.css", "a { }");
    std::string link = (folder.Path() / "link.css").string();
    ASSERT_EQ(symlink(file.c_str(), link.c_str()), 0);
    EXPECT_EQ(CRVCompressFile(id, CRV_DATA_CSS, link.c_str()), CRV_OK);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(file), "a{}");
}

} // namespace
