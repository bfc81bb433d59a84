// A host with many threads, each creating, using and destroying instances of
// its own at the same time as the others.
#include <algorithm>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "sdk/crvsdk.h"
#include "tests/sdk/sdk_test_support.h"

namespace {

using crvtest::TextBuffer;

const int kThreads = 8;
const int kRounds = 150;

// One thread's life: every call for its instances from this thread only.
// Returns the ids it was given; failures are recorded by the caller.
std::vector<std::int32_t> UseOwnInstances(int thread, std::vector<std::string> &failures) {
    std::vector<std::int32_t> ids;
    auto fail = [&](const char *what, int round) {
        failures.push_back("thread " + std::to_string(thread) + " round " +
                           std::to_string(round) + ": " + what);
    };
    for (int round = 0; round < kRounds; ++round) {
        std::int32_t id = 0;
        if (CRVCreateInstance(&id) != CRV_OK) {
            fail("create", round);
            continue;
        }
        ids.push_back(id);
        if (CRVSetProperty(id, CRV_PROP_BEEP, 0) != CRV_OK)
            fail("set property", round);
        // Every other round polls instead of waiting.
        bool polled = round % 2 == 1;
        CRVSetCallerBehaviour(id, polled ? CRV_CALL_RETURN : CRV_CALL_WAIT, nullptr);
        TextBuffer text("a { color : red ; }  b , c { }");
        char *end = nullptr;
        std::int32_t result = CRVCompressRawData(id, CRV_DATA_CSS, text.Text(), &end, 0);
        std::int32_t count;
        while (polled && CRVGetCharsProcessed(id, &count) == CRV_OK)
            std::this_thread::yield();
        if ((!polled && result != CRV_OK) || !end || text.Output(end) != "a{color:red}b,c{}")
            fail("compress", round);
        if (CRVDestroyInstance(id) != CRV_OK || CRVSetLanguage(id, 1) != CRV_ERR_NO_INSTANCE)
            fail("destroy", round);
    }
    return ids;
}

TEST(Threads, EachHostThreadCreatesUsesAndDestroysItsOwnInstances) {
    std::vector<std::vector<std::int32_t>> ids(kThreads);
    std::vector<std::vector<std::string>> failures(kThreads);
    std::vector<std::thread> threads;
    for (int thread = 0; thread < kThreads; ++thread)
        threads.emplace_back([&, thread] { ids[thread] = UseOwnInstances(thread, failures[thread]); });
    for (auto &thread : threads)
        thread.join();

    std::vector<std::int32_t> all;
    for (int thread = 0; thread < kThreads; ++thread) {
        for (const auto &failure : failures[thread])
            ADD_FAILURE() << failure;
        all.insert(all.end(), ids[thread].begin(), ids[thread].end());
    }
    EXPECT_EQ(all.size(), static_cast<std::size_t>(kThreads * kRounds));
    std::sort(all.begin(), all.end());
    EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end()) << "an id issued twice";
}

} // namespace
