// File compression failures that only a POSIX system can stage for real: a
// full disk, and the owner and permissions a replaced file keeps.
#include <gtest/gtest.h>

#include <fcntl.h>
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

// A FIFO with no writer would block an open for reading, and one with a
// writer a read, forever; a device answers without end. Each is refused at
// once and left as it was.
TEST_F(CompressFilePosix, AnythingButARegularFileIsRefusedUntouched) {
    std::string fifo = (folder.Path() / "pipe.css").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    std::string writtenFifo = (folder.Path() / "fed.css").string();
    ASSERT_EQ(mkfifo(writtenFifo.c_str(), 0644), 0);
    // Held open for reading and writing here, so a reader there would find a
    // writer that never writes.
    int feeder = open(writtenFifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(feeder, 0);
    const struct {
        const char *name;
        std::string path;
        mode_t type;
    } cases[] = {
        {"FIFO without a writer", fifo, S_IFIFO},
        {"FIFO with a silent writer", writtenFifo, S_IFIFO},
        {"character device", "/dev/zero", S_IFCHR},
        {"folder", folder.Path().string(), S_IFDIR},
    };
    for (const auto &c : cases) {
        struct stat before;
        ASSERT_EQ(stat(c.path.c_str(), &before), 0) << c.name;
        EXPECT_EQ(CRVCompressFile(id, CRV_DATA_CSS, c.path.c_str()), CRV_ERR_READ_FILE) << c.name;
        struct stat after;
        ASSERT_EQ(stat(c.path.c_str(), &after), 0) << c.name;
        EXPECT_EQ(after.st_mode & S_IFMT, c.type) << c.name;
        EXPECT_EQ(after.st_ino, before.st_ino) << c.name;
    }
    close(feeder);
}

} // namespace
