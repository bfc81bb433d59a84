// Compressing whole files: results, and what becomes of the file.
#include <gtest/gtest.h>

#include "sdk/crvsdk.h"
#include "tests/sdk/file_test_support.h"
#include "tests/sdk/sdk_test_support.h"

namespace {

using crvtest::ReadBytes;
using crvtest::ScratchFolder;

const char kSheet[] = "a { color : red ; }\r\n/* note */ b , c { margin : 0 }\r\n";
const char kCompressed[] = "a{color:red}b,c{margin:0}";

class CompressFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(CRVCreateInstance(&id), CRV_OK);
        ASSERT_EQ(CRVSetProperty(id, CRV_PROP_BEEP, 0), CRV_OK);
    }
    void TearDown() override { EXPECT_EQ(CRVDestroyInstance(id), CRV_OK); }

    std::int32_t id = 0;
    ScratchFolder folder;
};

TEST_F(CompressFile, ResultsAndWhatBecomesOfTheFile) {
    const std::string zero("a {\0 b }", 8);
    const struct {
        const char *name;
        std::string content;
        bool knownInstance;
        std::uint32_t dataType;
        std::int32_t result;
        std::string after;
    } cases[] = {
        {"sheet", kSheet, true, CRV_DATA_CSS, CRV_OK, kCompressed},
        {"type from the low byte", kSheet, true, 0x203, CRV_OK, kCompressed},
        {"empty", "", true, CRV_DATA_CSS, CRV_OK, ""},
        {"unknown instance", kSheet, false, CRV_DATA_CSS, CRV_ERR_NO_INSTANCE, kSheet},
        {"bad data type", kSheet, true, 0, CRV_ERR_BAD_DATA_TYPE, kSheet},
        {"zero byte inside", zero, true, CRV_DATA_CSS, CRV_ERR_READ_FILE, zero},
    };
    for (const auto &c : cases) {
        std::string file = folder.Write("f.css", c.content);
        std::int32_t instance = c.knownInstance ? id : -1;
        EXPECT_EQ(CRVCompressFile(instance, c.dataType, file.c_str()), c.result) << c.name;
        EXPECT_EQ(ReadBytes(file), c.after) << c.name;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1)
        << "a new file was left behind";
}

TEST_F(CompressFile, MissingFileIsReportedBeforeTheInstance) {
    std::string missing = (folder.Path() / "missing.css").string();
    EXPECT_EQ(CRVCompressFile(-1, CRV_DATA_CSS, missing.c_str()), CRV_ERR_READ_FILE);
    EXPECT_EQ(CRVCompressFile(id, CRV_DATA_CSS, missing.c_str()), CRV_ERR_READ_FILE);
    EXPECT_EQ(CRVCompressFile(id, CRV_DATA_CSS, folder.Path().string().c_str()),
              CRV_ERR_READ_FILE);
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST_F(CompressFile, ReadOnlyFileIsRefusedAndKept) {
    std::string file = folder.Write("locked.css", kSheet);
    crvtest::MakeReadOnly(file, true);
    EXPECT_EQ(CRVCompressFile(id, CRV_DATA_CSS, file.c_str()), CRV_ERR_WRITE_FILE);
    EXPECT_EQ(ReadBytes(file), kSheet);
    crvtest::MakeReadOnly(file, false);
}

TEST_F(CompressFile, ReturnsOnlyOnceWrittenWhateverTheBehaviour) {
    CRVNotifyTarget nowhere = crvtest::UndeliverableTarget();
    crvtest::CompletionReceiver receiver;
    CRVNotifyTarget target = receiver.Target(0x8200);
    ASSERT_EQ(CRVSetCallerBehaviour(id, CRV_CALL_RETURN, &nowhere), CRV_OK);
    std::string file = folder.Write("polled.css", kSheet);
    EXPECT_EQ(CRVCompressFile(id, CRV_DATA_CSS, file.c_str()), CRV_OK);
    EXPECT_EQ(ReadBytes(file), kCompressed);

    ASSERT_EQ(CRVSetCallerBehaviour(id, CRV_CALL_NOTIFY, &target), CRV_OK);
    file = folder.Write("notified.css", kSheet);
    EXPECT_EQ(CRVCompressFile(id, CRV_DATA_CSS, file.c_str()), CRV_OK);
    EXPECT_EQ(ReadBytes(file), kCompressed);
    crvtest::Completion completion;
    ASSERT_TRUE(receiver.Receive(completion, 10000));
    EXPECT_NE(completion.lParam, 0u);
    // The completion is announced after the waiting call may have returned;
    // it must be in before the target goes away.
    ASSERT_EQ(CRVSetCallerBehaviour(id, CRV_CALL_WAIT, nullptr), CRV_OK);
}

} // namespace
