// The notify descriptor on Linux: only a real descriptor number is written
// to, and a descriptor closed once its job was seen to end gets nothing more.
#include <climits>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "sdk/instance.h"
#include "tests/sdk/job_step_script.h"
#include "tests/sdk/sdk_test_support.h"

namespace {

using crvtest::Latch;
using crvtest::TextBuffer;

// Whether anything waits to be read on fd.
bool HasData(int fd) {
    pollfd ready{fd, POLLIN, 0};
    return poll(&ready, 1, 0) == 1;
}

class NotifyDescriptor : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(CRVCreateInstance(&id), CRV_OK);
        ASSERT_EQ(CRVSetProperty(id, CRV_PROP_BEEP, 0), CRV_OK);
        ASSERT_EQ(pipe(fds), 0);
    }
    void TearDown() override {
        EXPECT_EQ(CRVDestroyInstance(id), CRV_OK);
        close(fds[0]);
        close(fds[1]);
    }
    std::int32_t id = 0;
    int fds[2] = {-1, -1};
};

// Cut to an int, each of these would be the pipe's write end.
TEST_F(NotifyDescriptor, ValuesThatAreNoDescriptorAreNotWrittenTo) {
    const std::intptr_t writeEnd = fds[1];
    const std::intptr_t values[] = {
        -1,
        -2,
        static_cast<std::intptr_t>(INT_MAX) + 1,
        (std::intptr_t{1} << 32) + writeEnd,
        INTPTR_MIN + writeEnd,
        -(std::intptr_t{1} << 32) + writeEnd,
    };
    for (std::intptr_t value : values) {
        CRVNotifyTarget target{value, 0x8600};
        ASSERT_EQ(CRVSetCallerBehaviour(id, CRV_CALL_NOTIFY, &target), CRV_OK);
        TextBuffer text("a  b");
        char *end = nullptr;
        std::string shown = crvtest::CaptureCompletionError(id, [&] {
            EXPECT_EQ(CRVCompressRawData(id, CRV_DATA_CSS, text.Text(), &end, 1), CRV_OK);
        });
        EXPECT_NE(shown.find("Could not find the specified window"), std::string::npos) << value;
        EXPECT_EQ(text.Output(end), "a b") << value;
        EXPECT_FALSE(HasData(fds[0])) << value << " was written to descriptor " << writeEnd;
    }
}

// A host that closes its descriptor once the waiting call has returned may
// get the same number for something else at once: here the write end of
// another pipe.
TEST_F(NotifyDescriptor, AReusedDescriptorGetsNoLateNotice) {
    for (int round = 0; round < 50; ++round) {
        int notify[2], other[2];
        ASSERT_EQ(pipe(notify), 0);
        ASSERT_EQ(pipe(other), 0);
        CRVNotifyTarget target{notify[1], 0x8601};
        ASSERT_EQ(CRVSetCallerBehaviour(id, CRV_CALL_NOTIFY, &target), CRV_OK);
        {
            crvtest::JobStepScript script(id);
            Latch reused, ready;
            script.On(crv::JobStep::kFinished, [&] { reused.Wait(); });
            script.On(crv::JobStep::kReady, [&] { ready.Open(); });
            TextBuffer text("a { }");
            char *end = nullptr;
            ASSERT_EQ(CRVCompressRawData(id, CRV_DATA_CSS, text.Text(), &end, 1), CRV_OK);
            EXPECT_TRUE(HasData(notify[0])) << "round " << round;
            ASSERT_EQ(dup2(other[1], notify[1]), notify[1]);
            reused.Open();
            ready.Wait();
            ASSERT_EQ(CRVSetCallerBehaviour(id, CRV_CALL_WAIT, nullptr), CRV_OK);
        }
        const bool written = HasData(other[0]);
        for (int fd : {notify[0], notify[1], other[0], other[1]})
            close(fd);
        ASSERT_FALSE(written) << "round " << round << ": the reused descriptor was written to";
    }
}

} // namespace
