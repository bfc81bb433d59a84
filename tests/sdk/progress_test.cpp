// What CRVGetCharsProcessed answers while a job runs: -1 before the
// compressor moves, the furthest point reached since, whatever the previous
// job left behind.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "sdk/instance.h"
#include "tests/sdk/sdk_test_support.h"

namespace {

using crvtest::Latch;
using crvtest::TextBuffer;

// A compressor that stops before it moves and after each move of the cursor,
// so that the test can ask for progress at each of these points.
struct CursorScript {
    std::vector<std::uintptr_t> offsets; // from the byte before the text
    std::vector<std::unique_ptr<Latch>> reached, resume;
};
CursorScript *cursorScript = nullptr;

void RunScripted(crv::CompressorInstance *record) {
    CursorScript &script = *cursorScript;
    auto before = reinterpret_cast<std::uintptr_t>(record->input) - 1;
    for (std::size_t step = 0; step <= script.offsets.size(); ++step) {
        if (step > 0)
            crv::StoreCursor(record->outputCursor,
                             reinterpret_cast<char *>(before + script.offsets[step - 1]));
        script.reached[step]->Open();
        script.resume[step]->Wait();
    }
    crv::StoreCursor(record->outputCursor, record->input);
}

void RunFailing(crv::CompressorInstance *) { throw std::runtime_error("fails"); }

enum class Previous { kSucceeded, kFailed };

TEST(Progress, StartsAtMinusOneAndNeverGoesBack) {
    const std::uintptr_t kFar = std::uintptr_t{1} << (sizeof(void *) == 8 ? 33 : 31);
    const struct {
        const char *name;
        Previous previous;
        std::vector<std::uintptr_t> offsets;
        std::vector<std::int32_t> answers; // before moving, then after each move
    } cases[] = {
        {"forward", Previous::kSucceeded, {1, 4, 8}, {-1, 0, 3, 7}},
        {"after a failed job", Previous::kFailed, {1, 4}, {-1, 0, 3}},
        {"a fold steps back", Previous::kSucceeded, {6, 3, 7}, {-1, 5, 5, 6}},
        {"HTML ends on its shorter output", Previous::kSucceeded, {10, 5}, {-1, 9, 9}},
        {"back to the start", Previous::kFailed, {3, 0}, {-1, 2, 2}},
        {"past what 32 bits count", Previous::kSucceeded, {kFar}, {-1, INT32_MAX}},
    };
    std::int32_t id = 0;
    ASSERT_EQ(CRVCreateInstance(&id), CRV_OK);
    ASSERT_EQ(CRVSetProperty(id, CRV_PROP_BEEP, 0), CRV_OK);
    ASSERT_EQ(CRVSetCallerBehaviour(id, CRV_CALL_RETURN, nullptr), CRV_OK);
    const crv::Compressor saved = crv::compressorForType[CRV_DATA_CSS];
    for (const auto &c : cases) {
        // The previous job leaves the cursor far behind this one's text, or
        // null.
        crv::compressorForType[CRV_DATA_CSS] =
            c.previous == Previous::kFailed ? RunFailing : saved;
        std::string previousText(200, ' ');
        previousText.append("p { }");
        TextBuffer previous(previousText);
        char *end = nullptr;
        ASSERT_EQ(CRVCompressRawData(id, CRV_DATA_CSS, previous.Text(), &end, 1),
                  c.previous == Previous::kFailed ? CRV_ERR_FAILED : CRV_OK);

        CursorScript script;
        script.offsets = c.offsets;
        for (std::size_t step = 0; step <= c.offsets.size(); ++step) {
            script.reached.push_back(std::make_unique<Latch>());
            script.resume.push_back(std::make_unique<Latch>());
        }
        cursorScript = &script;
        crv::compressorForType[CRV_DATA_CSS] = RunScripted;
        TextBuffer text("abcdefghijk");
        ASSERT_EQ(CRVCompressRawData(id, CRV_DATA_CSS, text.Text(), &end, 0),
                  c.previous == Previous::kFailed ? CRV_ERR_FAILED : CRV_OK);
        for (std::size_t step = 0; step < c.answers.size(); ++step) {
            script.reached[step]->Wait();
            std::int32_t count = 12345;
            EXPECT_EQ(CRVGetCharsProcessed(id, &count), CRV_OK) << c.name;
            EXPECT_EQ(count, c.answers[step]) << c.name << ", step " << step;
            script.resume[step]->Open();
        }
        std::int32_t count;
        while (CRVGetCharsProcessed(id, &count) == CRV_OK)
            std::this_thread::yield();
    }
    crv::compressorForType[CRV_DATA_CSS] = saved;
    EXPECT_EQ(CRVDestroyInstance(id), CRV_OK);
}

// Real compressors step their cursor back (folded literals, the end of an
// HTML pass); a host polling all through a job never sees the count drop.
TEST(Progress, RealJobsNeverGoBack) {
    std::string script, page;
    // Appended piece by piece: GCC 12 warns falsely about joined temporaries.
    for (int i = 0; i < 20000; ++i) {
        script.append("x").append(std::to_string(i)).append(" = 'a' + 'b' + 'c' ;\n");
        page.append("<p class=\"a\">  text  </p>\n<script>f ( 'a' + 'b' ) ;</script>\n");
    }
    const struct {
        const char *name;
        std::uint32_t dataType;
        const std::string &text;
    } cases[] = {
        {"JavaScript", CRV_DATA_JAVASCRIPT, script},
        {"HTML", CRV_DATA_HTML, page},
    };
    std::int32_t id = 0;
    ASSERT_EQ(CRVCreateInstance(&id), CRV_OK);
    ASSERT_EQ(CRVSetProperty(id, CRV_PROP_BEEP, 0), CRV_OK);
    ASSERT_EQ(CRVSetProperty(id, CRV_PROP_COMPRESS_SCRIPTS, 1), CRV_OK);
    ASSERT_EQ(CRVSetCallerBehaviour(id, CRV_CALL_RETURN, nullptr), CRV_OK);
    for (const auto &c : cases) {
        TextBuffer text(c.text);
        char *end = nullptr;
        CRVCompressRawData(id, c.dataType, text.Text(), &end, 0);
        std::int32_t count = 0, last = -1, drops = 0, answers = 0;
        while (CRVGetCharsProcessed(id, &count) == CRV_OK) {
            ++answers;
            if (count < last)
                ++drops;
            EXPECT_GE(count, -1) << c.name;
            last = count;
        }
        EXPECT_EQ(drops, 0) << c.name << ": dropped " << drops << " times in " << answers;
        EXPECT_LT(end - text.Text(), static_cast<std::ptrdiff_t>(c.text.size())) << c.name;
    }
    EXPECT_EQ(CRVDestroyInstance(id), CRV_OK);
}

} // namespace
