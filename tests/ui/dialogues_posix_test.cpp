// Without a window system the dialogue exports answer without showing
// anything, after the same checks as on Windows.
#include <gtest/gtest.h>

#include "sdk/instance.h"

namespace {

TEST(DialoguesWithoutWindows, SettingsDialogueChecksThenCancels) {
    std::int32_t id = 0;
    ASSERT_EQ(CRVCreateInstance(&id), CRV_OK);
    crv::CompressorInstance *record = crv::FindInstance(id);
    ASSERT_EQ(CRVSetProperty(id, CRV_PROP_DELETE_COMMENTS, 1), CRV_OK);
    EXPECT_EQ(CRVShowSettingDialogue(id + 1000, nullptr), CRV_ERR_NO_INSTANCE);
    {
        std::lock_guard lock(record->jobLock);
        record->busy = crv::kJobRunning;
    }
    EXPECT_EQ(CRVShowSettingDialogue(id, nullptr), CRV_ERR_BUSY);
    {
        std::lock_guard lock(record->jobLock);
        record->busy = crv::kJobIdle;
    }
    EXPECT_EQ(CRVShowSettingDialogue(id, nullptr), CRV_ERR_CANCELLED);
    EXPECT_EQ(record->deleteComments, 1);
    EXPECT_EQ(record->protectEvents, 1);
    EXPECT_EQ(record->beep, 1);
    EXPECT_EQ(CRVDestroyInstance(id), CRV_OK);
}

TEST(DialoguesWithoutWindows, AboutDialogueAnswersOk) {
    EXPECT_EQ(CRVShowAboutDialogue(0, nullptr), CRV_OK);
    EXPECT_EQ(CRVShowAboutDialogue(0xFFFFFFFFu, reinterpret_cast<void *>(1)), CRV_OK);
}

} // namespace
