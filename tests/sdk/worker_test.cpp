// Jobs through the worker: the hand-off, waiting, polling, notification,
// refusals while busy and failures.
#include <atomic>
#include <cstring>
#include <stdexcept>
#include <thread>

#include <gtest/gtest.h>

#include "sdk/instance.h"
#include "tests/sdk/sdk_test_support.h"

namespace {

using crvtest::Completion;
using crvtest::CompletionReceiver;
using crvtest::Latch;
using crvtest::TextBuffer;

const int kTimeoutMs = 10000;

// A compressor that reports progress, then holds the job until released;
// it leaves the text as it is.
struct HeldJob {
    Latch entered;
    Latch release;
};
HeldJob *heldJob = nullptr;

void RunHeld(crv::CompressorInstance *record) {
    crv::StoreCursor(record->outputCursor, record->input + 2);
    heldJob->entered.Open();
    heldJob->release.Wait();
    crv::StoreCursor(record->outputCursor, record->input + std::strlen(record->input));
}

void RunFailing(crv::CompressorInstance *record) {
    crv::StoreCursor(record->outputCursor, record->input);
    throw std::runtime_error("compressor failed");
}

class Worker : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(CRVCreateInstance(&id), CRV_OK);
        ASSERT_EQ(CRVSetProperty(id, CRV_PROP_BEEP, 0), CRV_OK);
        saved = crv::compressorForType[CRV_DATA_CSS];
        heldJob = &held;
    }
    void TearDown() override {
        EXPECT_EQ(CRVDestroyInstance(id), CRV_OK);
        crv::compressorForType[CRV_DATA_CSS] = saved;
        heldJob = nullptr;
    }
    void Hold() { crv::compressorForType[CRV_DATA_CSS] = RunHeld; }
    void Fail() { crv::compressorForType[CRV_DATA_CSS] = RunFailing; }
    // Polls until the worker has finished the job handed over last.
    void WaitUntilIdle() {
        std::int32_t count;
        while (CRVGetCharsProcessed(id, &count) == CRV_OK)
            std::this_thread::yield();
    }

    std::int32_t id = 0;
    crv::Compressor saved = nullptr;
    HeldJob held;
};

TEST_F(Worker, WaitingJobCompressesInPlace) {
    TextBuffer text("a { color : red ; }");
    char *end = nullptr;
    EXPECT_EQ(CRVCompressRawData(id, CRV_DATA_CSS, text.Text(), &end, 0), CRV_OK);
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(*end, '\0');
    EXPECT_EQ(text.Output(end), "a{color:red}");
    EXPECT_EQ(text.Before(), '>');
    EXPECT_TRUE(text.GuardsIntact());
}

TEST_F(Worker, EmptyTextGivesEmptyOutput) {
    TextBuffer text("");
    char *end = nullptr;
    EXPECT_EQ(CRVCompressRawData(id, CRV_DATA_CSS, text.Text(), &end, 0), CRV_OK);
    EXPECT_EQ(end, text.Text());
    EXPECT_EQ(text.Before(), '>');
}

TEST_F(Worker, OnlyTheLowByteOfTheDataTypeCounts) {
    const struct {
        std::uint32_t dataType;
        std::int32_t result;
    } cases[] = {{0, CRV_ERR_BAD_DATA_TYPE},
                 {4, CRV_ERR_BAD_DATA_TYPE},
                 {256, CRV_ERR_BAD_DATA_TYPE},
                 {0x103, CRV_OK}};
    for (const auto &c : cases) {
        TextBuffer text("p { }");
        char *end = nullptr;
        EXPECT_EQ(CRVCompressRawData(id, c.dataType, text.Text(), &end, 0), c.result);
        EXPECT_EQ(text.Before(), c.result == CRV_OK ? '>' : '#') << c.dataType;
        std::int32_t count;
        EXPECT_EQ(CRVGetCharsProcessed(id, &count), CRV_ERR_NOT_BUSY);
    }
}

TEST_F(Worker, EverySetterButPriorityRefusesWhileBusy) {
    Hold();
    TextBuffer text("abcdef");
    char *end = nullptr;
    ASSERT_EQ(CRVSetCallerBehaviour(id, CRV_CALL_RETURN, nullptr), CRV_OK);
    EXPECT_EQ(CRVCompressRawData(id, CRV_DATA_CSS, text.Text(), &end, 0), CRV_OK);
    held.entered.Wait();

    TextBuffer second("x");
    char *secondEnd = nullptr;
    EXPECT_EQ(CRVCompressRawData(id, CRV_DATA_CSS, second.Text(), &secondEnd, 1), CRV_ERR_BUSY);
    EXPECT_EQ(second.Before(), '#');
    EXPECT_EQ(CRVSetProperty(id, 63, 1), CRV_ERR_BUSY);
    EXPECT_EQ(CRVSetCallerBehaviour(id, CRV_CALL_WAIT, nullptr), CRV_ERR_BUSY);
    EXPECT_EQ(CRVSetLanguage(id, CRV_LANG_CZECH), CRV_ERR_BUSY);
    EXPECT_EQ(CRVDestroyInstance(id), CRV_ERR_BUSY);
    EXPECT_EQ(CRVSetWorkerThreadPriority(id, 1), CRV_OK);
    std::int32_t count = 0;
    EXPECT_EQ(CRVGetCharsProcessed(id, &count), CRV_OK);
    EXPECT_EQ(count, 2);

    held.release.Open();
    WaitUntilIdle();
    EXPECT_EQ(text.Output(end), "abcdef");
    auto *record = crv::FindInstance(id);
    EXPECT_EQ(record->deleteComments, 0);
    EXPECT_EQ(record->beep, 0);
    EXPECT_EQ(record->language, CRV_LANG_ENGLISH);
    EXPECT_EQ(record->callerBehaviour, CRV_CALL_RETURN);
}

// A job nobody waited for leaves its completion signalled; a later waiting
// call must still wait for its own job.
TEST_F(Worker, AWaitEndsOnlyWithItsOwnJob) {
    ASSERT_EQ(CRVSetCallerBehaviour(id, CRV_CALL_RETURN, nullptr), CRV_OK);
    TextBuffer first("a { }");
    char *firstEnd = nullptr;
    CRVCompressRawData(id, CRV_DATA_CSS, first.Text(), &firstEnd, 0);
    WaitUntilIdle();
    EXPECT_EQ(first.Output(firstEnd), "a{}");

    Hold();
    std::atomic<bool> released{false};
    std::thread releaser([&] {
        held.entered.Wait();
        released = true;
        held.release.Open();
    });
    TextBuffer second("bcd");
    char *secondEnd = nullptr;
    EXPECT_EQ(CRVCompressRawData(id, CRV_DATA_CSS, second.Text(), &secondEnd, 1), CRV_OK);
    EXPECT_TRUE(released);
    EXPECT_EQ(second.Output(secondEnd), "bcd");
    releaser.join();
}

TEST_F(Worker, PollingFollowsTheJob) {
    Hold();
    ASSERT_EQ(CRVSetCallerBehaviour(id, CRV_CALL_RETURN, nullptr), CRV_OK);
    TextBuffer text("12345");
    char *end = nullptr;
    CRVCompressRawData(id, CRV_DATA_CSS, text.Text(), &end, 0);
    held.entered.Wait();
    std::int32_t count = 0;
    EXPECT_EQ(CRVGetCharsProcessed(id, &count), CRV_OK);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(end, nullptr);
    held.release.Open();
    WaitUntilIdle();
    EXPECT_EQ(end, text.Text() + 5);
    EXPECT_EQ(*end, '\0');
}

TEST_F(Worker, NotifiedCallReturnsAtOnceAndIsTold) {
    CompletionReceiver receiver;
    CRVNotifyTarget target = receiver.Target(0x8123);
    ASSERT_EQ(CRVSetCallerBehaviour(id, CRV_CALL_NOTIFY, &target), CRV_OK);
    Hold();
    TextBuffer text("held");
    char *end = nullptr;
    CRVCompressRawData(id, CRV_DATA_CSS, text.Text(), &end, 0);
    held.entered.Wait();
    Completion completion;
    EXPECT_FALSE(receiver.Receive(completion, 0));
    held.release.Open();
    ASSERT_TRUE(receiver.Receive(completion, kTimeoutMs));
    EXPECT_EQ(completion.message, 0x8123u);
    EXPECT_EQ(completion.wParam, 0u);
    EXPECT_EQ(completion.lParam, reinterpret_cast<std::uintptr_t>(end));
    EXPECT_EQ(end, text.Text() + 4);
}

TEST_F(Worker, ForcedWaitUnderNotifyIsAlsoTold) {
    CompletionReceiver receiver;
    CRVNotifyTarget target = receiver.Target(0x8001);
    ASSERT_EQ(CRVSetCallerBehaviour(id, CRV_CALL_NOTIFY, &target), CRV_OK);
    TextBuffer text("a , b");
    char *end = nullptr;
    EXPECT_EQ(CRVCompressRawData(id, CRV_DATA_CSS, text.Text(), &end, 1), CRV_OK);
    EXPECT_EQ(text.Output(end), "a,b");
    Completion completion;
    ASSERT_TRUE(receiver.Receive(completion, kTimeoutMs));
    EXPECT_EQ(completion.lParam, reinterpret_cast<std::uintptr_t>(end));
}

TEST_F(Worker, FailedJobKeepsTheCallersVariable) {
    Fail();
    TextBuffer text("a { }");
    char *const untouched = text.Text() + 3;
    char *end = untouched;
    EXPECT_EQ(CRVCompressRawData(id, CRV_DATA_CSS, text.Text(), &end, 0), CRV_ERR_FAILED);
    EXPECT_EQ(end, untouched);
    EXPECT_EQ(text.Before(), '>');

    CompletionReceiver receiver;
    CRVNotifyTarget target = receiver.Target(0x8002);
    ASSERT_EQ(CRVSetCallerBehaviour(id, CRV_CALL_NOTIFY, &target), CRV_OK);
    EXPECT_EQ(CRVCompressRawData(id, CRV_DATA_CSS, text.Text(), &end, 1), CRV_ERR_FAILED);
    Completion completion;
    ASSERT_TRUE(receiver.Receive(completion, kTimeoutMs));
    EXPECT_EQ(completion.lParam, 0u);

    // The worker goes on serving jobs.
    crv::compressorForType[CRV_DATA_CSS] = saved;
    ASSERT_EQ(CRVSetCallerBehaviour(id, CRV_CALL_WAIT, nullptr), CRV_OK);
    TextBuffer next("b { }");
    EXPECT_EQ(CRVCompressRawData(id, CRV_DATA_CSS, next.Text(), &end, 0), CRV_OK);
    EXPECT_EQ(next.Output(end), "b{}");
}

TEST_F(Worker, UndeliverableCompletionIsReported) {
    const CRVNotifyTarget undeliverable = crvtest::UndeliverableTarget();
    const CRVNotifyTarget *targets[] = {nullptr, &undeliverable};
    for (const CRVNotifyTarget *target : targets) {
        ASSERT_EQ(CRVSetCallerBehaviour(id, CRV_CALL_NOTIFY, target), CRV_OK);
        TextBuffer text("a  b");
        char *end = nullptr;
        std::string shown = crvtest::CaptureCompletionError(id, [&] {
            EXPECT_EQ(CRVCompressRawData(id, CRV_DATA_CSS, text.Text(), &end, 1), CRV_OK);
        });
        EXPECT_NE(shown.find("HTML Corvane: Compression done"), std::string::npos) << shown;
        EXPECT_NE(shown.find("Could not find the specified window,"), std::string::npos) << shown;
        EXPECT_EQ(text.Output(end), "a b");
    }
}

TEST_F(Worker, ForeignJobsOfOtherInstancesRunInParallel) {
    std::int32_t other = 0;
    ASSERT_EQ(CRVCreateInstance(&other), CRV_OK);
    Hold();
    ASSERT_EQ(CRVSetCallerBehaviour(id, CRV_CALL_RETURN, nullptr), CRV_OK);
    TextBuffer held_text("xyz");
    char *heldEnd = nullptr;
    CRVCompressRawData(id, CRV_DATA_CSS, held_text.Text(), &heldEnd, 0);
    held.entered.Wait();
    crv::compressorForType[CRV_DATA_CSS] = saved;
    TextBuffer text("p { margin : 0 }");
    char *end = nullptr;
    EXPECT_EQ(CRVCompressRawData(other, CRV_DATA_CSS, text.Text(), &end, 0), CRV_OK);
    EXPECT_EQ(text.Output(end), "p{margin:0}");
    held.release.Open();
    WaitUntilIdle();
    EXPECT_EQ(CRVDestroyInstance(other), CRV_OK);
}

} // namespace
