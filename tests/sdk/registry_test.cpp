// Instance ids, the instance list and the setters' checks.
#include <climits>
#include <map>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "sdk/instance.h"

namespace {

std::int32_t Create() {
    std::int32_t id = 0;
    EXPECT_EQ(CRVCreateInstance(&id), CRV_OK);
    return id;
}

// Whether the exports find an instance: the progress query changes nothing
// and answers CRV_ERR_NOT_BUSY for an idle instance it finds.
bool Reachable(std::int32_t id) {
    std::int32_t count = 0;
    return CRVGetCharsProcessed(id, &count) == CRV_ERR_NOT_BUSY;
}

TEST(Registry, IdsGrowAndAreNeverReissued) {
    std::int32_t first = Create();
    std::int32_t second = Create();
    EXPECT_EQ(second, first + 1);
    EXPECT_EQ(CRVDestroyInstance(first), CRV_OK);
    std::int32_t third = Create();
    EXPECT_EQ(third, second + 1);
    EXPECT_EQ(CRVDestroyInstance(second), CRV_OK);
    EXPECT_EQ(CRVDestroyInstance(third), CRV_OK);
}

// A run of creations and destructions over the named instances a..e, and
// which of them the exports then find. A list that kept a destroyed record
// as its first or last would lose the instances created after it.
struct Step {
    char create, destroy; // the instance created or destroyed, or 0
    std::string_view reachable;
};

void ExpectRun(std::string_view run, const std::vector<Step> &steps) {
    std::map<char, std::int32_t> ids;
    for (std::size_t step = 0; step < steps.size(); ++step) {
        const Step &s = steps[step];
        if (s.create != 0)
            ids[s.create] = Create();
        if (s.destroy != 0) {
            EXPECT_EQ(CRVDestroyInstance(ids[s.destroy]), CRV_OK) << run << ", step " << step;
        }
        for (const auto &[name, id] : ids) {
            const bool expected = s.reachable.find(name) != std::string_view::npos;
            EXPECT_EQ(Reachable(id), expected) << run << ", step " << step << ", instance " << name;
        }
    }
}

TEST(Registry, InstancesStayReachableUntilDestroyed) {
    ExpectRun("the middle one goes",
              {{'a', 0, "a"}, {'b', 0, "ab"}, {'c', 0, "abc"}, {0, 'b', "ac"}, {0, 'a', "c"},
               {'d', 0, "cd"}, {0, 'd', "c"}, {0, 'c', ""}});
    ExpectRun("the last one goes, then one is added",
              {{'a', 0, "a"}, {'b', 0, "ab"}, {'c', 0, "abc"}, {0, 'b', "ac"}, {0, 'c', "a"},
               {'d', 0, "ad"}, {'e', 0, "ade"}, {0, 'a', "de"}, {0, 'e', "d"}, {0, 'd', ""}});
    ExpectRun("the only one goes, then one is added",
              {{'a', 0, "a"}, {0, 'a', ""}, {'b', 0, "b"}, {'c', 0, "bc"}, {0, 'b', "c"},
               {0, 'c', ""}});
}

TEST(Registry, RefusesOnceIdsAreExhausted) {
    std::int32_t saved = crv::instanceList.lastId;
    crv::instanceList.lastId = INT32_MAX - 1;
    std::int32_t last = Create();
    EXPECT_EQ(last, INT32_MAX);
    std::int32_t untouched = 77;
    EXPECT_EQ(CRVCreateInstance(&untouched), CRV_ERR_CREATE);
    EXPECT_EQ(untouched, 77);
    EXPECT_EQ(crv::instanceList.lastId, INT32_MAX);
    EXPECT_TRUE(Reachable(last));
    EXPECT_EQ(CRVDestroyInstance(last), CRV_OK);
    crv::instanceList.lastId = saved;
}

TEST(Registry, EveryLookupRefusesAnUnknownId) {
    const std::int32_t unknown = -5;
    std::int32_t count = 99;
    char text[2] = {'>', '\0'};
    char *end = nullptr;
    EXPECT_EQ(CRVDestroyInstance(unknown), CRV_ERR_NO_INSTANCE);
    EXPECT_EQ(CRVSetProperty(unknown, 1, 1), CRV_ERR_NO_INSTANCE);
    EXPECT_EQ(CRVSetProperty(unknown, 64, 1), CRV_ERR_NO_INSTANCE);
    EXPECT_EQ(CRVSetCallerBehaviour(unknown, 7, nullptr), CRV_ERR_NO_INSTANCE);
    EXPECT_EQ(CRVCompressRawData(unknown, 0, text + 1, &end, 1), CRV_ERR_NO_INSTANCE);
    EXPECT_EQ(CRVGetCharsProcessed(unknown, &count), CRV_ERR_NO_INSTANCE);
    EXPECT_EQ(CRVSetWorkerThreadPriority(unknown, 0), CRV_ERR_NO_INSTANCE);
    EXPECT_EQ(CRVSetLanguage(unknown, 0), CRV_ERR_NO_INSTANCE);
    EXPECT_EQ(count, 99);
    EXPECT_EQ(text[0], '>');
}

struct Flags {
    std::uint8_t deleteComments, protectEvents, compressScripts, compressStyles, hideScripts,
        beep;
    bool operator==(const Flags &) const = default;
};

Flags FlagsOf(std::int32_t id) {
    auto *r = crv::FindInstance(id);
    return {r->deleteComments, r->protectEvents, r->compressScripts,
            r->compressStyles, r->hideScripts,   r->beep};
}

TEST(Registry, SetPropertyStoresTheValueInEveryAddressedField) {
    const Flags defaults{0, 1, 0, 0, 0, 1};
    const struct {
        std::uint32_t mask, value;
        std::int32_t result;
        Flags after;
    } cases[] = {
        {0, 1, CRV_OK, defaults},
        {256, 1, CRV_OK, defaults},
        {64, 1, CRV_ERR_BAD_PROPERTY, defaults},
        {255, 0, CRV_ERR_BAD_PROPERTY, defaults},
        {63, 0, CRV_OK, {0, 0, 0, 0, 0, 0}},
        {CRV_PROP_DELETE_COMMENTS | CRV_PROP_HIDE_SCRIPTS, 1, CRV_OK, {1, 1, 0, 0, 1, 1}},
        {CRV_PROP_COMPRESS_SCRIPTS | CRV_PROP_COMPRESS_STYLES, 0x107, CRV_OK, {0, 1, 7, 7, 0, 1}},
        {CRV_PROP_BEEP | CRV_PROP_PROTECT_EVENTS, 0, CRV_OK, {0, 0, 0, 0, 0, 0}},
    };
    for (const auto &c : cases) {
        std::int32_t id = Create();
        EXPECT_EQ(CRVSetProperty(id, c.mask, c.value), c.result) << "mask " << c.mask;
        EXPECT_EQ(FlagsOf(id), c.after) << "mask " << c.mask;
        CRVDestroyInstance(id);
    }
}

TEST(Registry, ChecksBehaviourLanguageAndPriority) {
    std::int32_t id = Create();
    CRVNotifyTarget target{};
    EXPECT_EQ(CRVSetCallerBehaviour(id, 3, &target), CRV_ERR_BAD_BEHAVIOUR);
    EXPECT_EQ(crv::FindInstance(id)->callerBehaviour, CRV_CALL_WAIT);
    EXPECT_EQ(CRVSetCallerBehaviour(id, 0x101, &target), CRV_OK);
    EXPECT_EQ(crv::FindInstance(id)->notifyTarget, &target);
    EXPECT_EQ(CRVSetCallerBehaviour(id, CRV_CALL_RETURN, nullptr), CRV_OK);
    EXPECT_EQ(crv::FindInstance(id)->notifyTarget, &target);
    EXPECT_EQ(CRVSetCallerBehaviour(id, CRV_CALL_WAIT, nullptr), CRV_OK);

    for (std::uint32_t bad : {0u, 4u, 256u})
        EXPECT_EQ(CRVSetLanguage(id, bad), CRV_ERR_BAD_LANGUAGE) << bad;
    EXPECT_EQ(CRVSetLanguage(id, 0x103), CRV_OK);
    EXPECT_EQ(crv::FindInstance(id)->language, CRV_LANG_GERMAN);

    for (std::int32_t level : {-15, -2, -1, 0, 1, 2, 15, 0})
        EXPECT_EQ(CRVSetWorkerThreadPriority(id, level), CRV_OK) << level;
    for (std::int32_t level : {3, -3, 100})
        EXPECT_EQ(CRVSetWorkerThreadPriority(id, level), CRV_ERR_PRIORITY) << level;
    CRVDestroyInstance(id);
}

TEST(Registry, ProgressOfAnIdleInstanceIsRefused) {
    std::int32_t id = Create();
    std::int32_t count = 1234;
    EXPECT_EQ(CRVGetCharsProcessed(id, &count), CRV_ERR_NOT_BUSY);
    EXPECT_EQ(count, 1234);
    CRVDestroyInstance(id);
}

} // namespace
