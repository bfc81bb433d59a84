// The hand-off of a job and the notice of its end, raced on purpose: each
// loop holds a thread at the step where the race falls and lets the other
// side go first.
#include <atomic>
#include <cstring>
#include <memory>
#include <thread>

#include <gtest/gtest.h>

#include "sdk/instance.h"
#include "tests/sdk/job_step_script.h"
#include "tests/sdk/sdk_test_support.h"

namespace {

using crv::JobStep;
using crvtest::Completion;
using crvtest::CompletionReceiver;
using crvtest::JobStepScript;
using crvtest::Latch;
using crvtest::TextBuffer;

const int kRounds = 100;
const int kTimeoutMs = 10000;

// A compressor that holds its job until released; it leaves the text as is.
struct HeldJob {
    Latch entered;
    Latch release;
};
std::atomic<HeldJob *> heldJob{nullptr};

void RunHeld(crv::CompressorInstance *record) {
    HeldJob *held = heldJob.load();
    held->entered.Open();
    held->release.Wait();
    crv::StoreCursor(record->outputCursor, record->input + std::strlen(record->input));
}

class JobRace : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(CRVCreateInstance(&id), CRV_OK);
        ASSERT_EQ(CRVSetProperty(id, CRV_PROP_BEEP, 0), CRV_OK);
        saved = crv::compressorForType[CRV_DATA_JAVASCRIPT];
    }
    void TearDown() override {
        crv::compressorForType[CRV_DATA_JAVASCRIPT] = saved;
        EXPECT_EQ(CRVDestroyInstance(id), CRV_OK);
    }
    // Hands over a polled job and returns once the worker is held right
    // after the job counts as finished, until proceed opens.
    void FinishPolledJobAndHold(JobStepScript &script, Latch &proceed, TextBuffer &text,
                                char *&end) {
        Latch finished;
        script.On(JobStep::kFinished, [&] {
            finished.Open();
            proceed.Wait();
        });
        ASSERT_EQ(CRVSetCallerBehaviour(id, CRV_CALL_RETURN, nullptr), CRV_OK);
        CRVCompressRawData(id, CRV_DATA_CSS, text.Text(), &end, 0);
        finished.Wait();
        std::int32_t count;
        ASSERT_EQ(CRVGetCharsProcessed(id, &count), CRV_ERR_NOT_BUSY);
    }

    std::int32_t id = 0;
    crv::Compressor saved = nullptr;
};

// A host that polls one job to its end and at once waits for the next must
// not be woken by the first job's late signal.
TEST_F(JobRace, AWaitAfterAPolledJobEndsWithItsOwnJob) {
    crv::compressorForType[CRV_DATA_JAVASCRIPT] = RunHeld;
    for (int round = 0; round < kRounds; ++round) {
        JobStepScript script(id);
        Latch proceed;
        TextBuffer first("a { }");
        char *firstEnd = nullptr;
        FinishPolledJobAndHold(script, proceed, first, firstEnd);
        ASSERT_EQ(first.Output(firstEnd), "a{}");
        // The previous worker step runs only once the new job is handed over.
        script.On(JobStep::kHandedOver, [&] { proceed.Open(); });

        HeldJob held;
        heldJob = &held;
        std::atomic<bool> released{false};
        std::thread releaser([&] {
            held.entered.Wait();
            released = true;
            held.release.Open();
        });
        TextBuffer second("f ( x )");
        char *secondEnd = nullptr;
        EXPECT_EQ(CRVCompressRawData(id, CRV_DATA_JAVASCRIPT, second.Text(), &secondEnd, 1),
                  CRV_OK);
        EXPECT_TRUE(released) << "round " << round;
        EXPECT_EQ(secondEnd, second.Text() + 7) << "round " << round;
        held.entered.Open();
        held.release.Open();
        releaser.join();
        if (HasFailure())
            break;
    }
}

// Switching a polled instance to notify must not announce the polled job.
TEST_F(JobRace, SwitchingToNotifyAnnouncesOnlyLaterJobs) {
    CompletionReceiver receiver;
    CRVNotifyTarget target = receiver.Target(0x8300);
    for (int round = 0; round < kRounds; ++round) {
        JobStepScript script(id);
        Latch proceed;
        TextBuffer polled("a { }");
        char *polledEnd = nullptr;
        FinishPolledJobAndHold(script, proceed, polled, polledEnd);
        ASSERT_EQ(CRVSetCallerBehaviour(id, CRV_CALL_NOTIFY, &target), CRV_OK);
        proceed.Open();

        TextBuffer notified("b { }");
        char *notifiedEnd = nullptr;
        ASSERT_EQ(CRVCompressRawData(id, CRV_DATA_CSS, notified.Text(), &notifiedEnd, 1), CRV_OK);
        Completion completion;
        ASSERT_TRUE(receiver.Receive(completion, kTimeoutMs));
        EXPECT_EQ(completion.lParam, reinterpret_cast<std::uintptr_t>(notifiedEnd))
            << "round " << round << ": the polled job was announced";
        EXPECT_FALSE(receiver.Receive(completion, 0)) << "round " << round;
        if (HasFailure())
            break;
    }
}

// What a host may do with its target once it has seen the job end.
enum class Afterwards { kFree, kRetarget };
// How it sees the end.
enum class SeenBy { kWaiting, kPolling, kNotice };

// Runs a notified job until the host sees it end; whether its notice has
// arrived by then.
bool RunUntilSeenToEnd(std::int32_t id, SeenBy seenBy, CompletionReceiver &receiver) {
    TextBuffer text("a  ,  b");
    char *end = nullptr;
    Completion completion;
    std::int32_t count;
    switch (seenBy) {
    case SeenBy::kWaiting:
        EXPECT_EQ(CRVCompressRawData(id, CRV_DATA_CSS, text.Text(), &end, 1), CRV_OK);
        break;
    case SeenBy::kPolling:
        CRVCompressRawData(id, CRV_DATA_CSS, text.Text(), &end, 0);
        while (CRVGetCharsProcessed(id, &count) == CRV_OK)
            std::this_thread::yield();
        break;
    case SeenBy::kNotice:
        CRVCompressRawData(id, CRV_DATA_CSS, text.Text(), &end, 0);
        return receiver.Receive(completion, kTimeoutMs);
    }
    return receiver.Receive(completion, 0);
}

TEST_F(JobRace, TheTargetIsTheHostsOnceTheJobIsSeenToEnd) {
    const struct {
        const char *name;
        SeenBy seenBy;
        Afterwards afterwards;
    } cases[] = {
        {"wait, then free", SeenBy::kWaiting, Afterwards::kFree},
        {"poll, then free", SeenBy::kPolling, Afterwards::kFree},
        {"notice, then free", SeenBy::kNotice, Afterwards::kFree},
        {"wait, then point elsewhere", SeenBy::kWaiting, Afterwards::kRetarget},
        {"poll, then point elsewhere", SeenBy::kPolling, Afterwards::kRetarget},
    };
    CompletionReceiver receiver, elsewhere;
    for (const auto &c : cases) {
        for (int round = 0; round < kRounds / 4; ++round) {
            auto target = std::make_unique<CRVNotifyTarget>(receiver.Target(0x8400));
            ASSERT_EQ(CRVSetCallerBehaviour(id, CRV_CALL_NOTIFY, target.get()), CRV_OK);
            JobStepScript script(id);
            Latch targetGone, ready;
            script.On(JobStep::kFinished, [&] { targetGone.Wait(); });
            script.On(JobStep::kReady, [&] { ready.Open(); });

            EXPECT_TRUE(RunUntilSeenToEnd(id, c.seenBy, receiver))
                << c.name << ": no notice before the job was seen to end";
            if (c.afterwards == Afterwards::kFree)
                target.reset();
            else
                *target = elsewhere.Target(0x8401);
            targetGone.Open();
            ready.Wait();

            ASSERT_EQ(CRVSetCallerBehaviour(id, CRV_CALL_WAIT, nullptr), CRV_OK);
            TextBuffer next("c { }");
            char *end = nullptr;
            ASSERT_EQ(CRVCompressRawData(id, CRV_DATA_CSS, next.Text(), &end, 0), CRV_OK);
            Completion completion;
            EXPECT_FALSE(receiver.Receive(completion, 0)) << c.name << ": a second notice";
            EXPECT_FALSE(elsewhere.Receive(completion, 0)) << c.name << ": target read late";
                if (HasFailure())
                return;
        }
    }
}

// A call made while the previous job sends its notice waits for it instead
// of being refused as busy.
TEST_F(JobRace, CallsDuringTheNoticeWaitInsteadOfBeingRefused) {
    const struct {
        const char *name;
        std::function<std::int32_t(std::int32_t id)> call;
        std::int32_t result;
        int notices; // the held job's and the call's own
    } cases[] = {
        {"set property", [](std::int32_t id) { return CRVSetProperty(id, 1, 1); }, CRV_OK, 1},
        {"set behaviour",
         [](std::int32_t id) { return CRVSetCallerBehaviour(id, CRV_CALL_RETURN, nullptr); },
         CRV_OK, 1},
        {"set language", [](std::int32_t id) { return CRVSetLanguage(id, CRV_LANG_CZECH); },
         CRV_OK, 1},
        {"progress",
         [](std::int32_t id) {
             std::int32_t count;
             return CRVGetCharsProcessed(id, &count);
         },
         CRV_ERR_NOT_BUSY, 1},
        {"compress",
         [](std::int32_t id) {
             TextBuffer text("x { }");
             char *end = nullptr;
             return CRVCompressRawData(id, CRV_DATA_CSS, text.Text(), &end, 1);
         },
         CRV_OK, 2},
        {"destroy", [](std::int32_t id) { return CRVDestroyInstance(id); }, CRV_OK, 1},
    };
    CompletionReceiver receiver;
    CRVNotifyTarget target = receiver.Target(0x8500);
    for (const auto &c : cases) {
        for (int round = 0; round < kRounds / 10; ++round) {
            ASSERT_EQ(CRVSetCallerBehaviour(id, CRV_CALL_NOTIFY, &target), CRV_OK);
            Completion completion;
            {
                JobStepScript script(id);
                Latch announcing, callWaits;
                script.On(JobStep::kAnnouncing, [&] {
                    announcing.Open();
                    callWaits.Wait();
                });
                script.On(JobStep::kAwaitingNotice, [&] { callWaits.Open(); });
                TextBuffer text("a { }");
                char *end = nullptr;
                CRVCompressRawData(id, CRV_DATA_CSS, text.Text(), &end, 0);
                announcing.Wait();
                EXPECT_EQ(c.call(id), c.result) << c.name;
                for (int notice = 0; notice < c.notices; ++notice)
                    EXPECT_TRUE(receiver.Receive(completion, 0)) << c.name << ": returned early";
            }
            if (CRVSetProperty(id, CRV_PROP_BEEP, 0) == CRV_ERR_NO_INSTANCE) {
                ASSERT_EQ(CRVCreateInstance(&id), CRV_OK);
                ASSERT_EQ(CRVSetProperty(id, CRV_PROP_BEEP, 0), CRV_OK);
            }
            if (HasFailure())
                return;
        }
    }
}

} // namespace
